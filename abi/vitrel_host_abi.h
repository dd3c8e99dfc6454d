/*
 * The operation tables that a host hands the Vitrel plug-in at start.
 *
 * This is the one header shared by a host and the plug-in. It holds plain C
 * types only: opaque handles, numbers, vectors, matrices and UTF-8 texts with
 * a length. No C++ type, no exception and no allocation crosses it: the side
 * that allocates frees, through the table.
 *
 * Rules that hold for every entry:
 * - Every call is made on the host's user-interface thread.
 * - A handle returned by an `..._alloc` entry is owned by the caller and freed
 *   with the matching `..._free` entry; every other handle that an entry
 *   returns is borrowed and stays owned by the host.
 * - Any entry that returns a handle or a pointer may return null (the host is
 *   short of memory, or a fault was injected); the caller then skips the step.
 * - Entries that return int32_t as a truth value give 0 for false, 1 for true.
 * - A VtText returned by the host is borrowed: valid until the next call that
 *   changes the thing it was read from. Copy it before making another call.
 * - The tables only grow at their ends. Each table starts with its own size
 *   in bytes, so a plug-in can tell whether a host knows an entry.
 */
#ifndef VITREL_HOST_ABI_H
#define VITREL_HOST_ABI_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Layout version of these tables. A host and a plug-in of different major
 * versions must not talk to each other: the plug-in refuses the host. */
#define VT_ABI_VERSION 1

/* ---- plain values ------------------------------------------------------ */

typedef struct VtVector {
  double x, y, z;
} VtVector;

/* An object's placement: offset, then the first, second and third axis. */
typedef struct VtMatrix {
  VtVector off, v1, v2, v3;
} VtMatrix;

/* UTF-8 text with a length; `data` need not end with a NUL byte. */
typedef struct VtText {
  const char* data;
  int32_t length;
} VtText;

/* One record of tag type 5617: left tangent, then right tangent. */
typedef struct VtTangent {
  VtVector left, right;
} VtTangent;

/* Record of object message 1 (points changed). */
typedef struct VtPointsChanged {
  int32_t old_count;
  int32_t new_count;
  const void* map; /* index map; null for none */
  int32_t flags;
} VtPointsChanged;

/* Display-colour properties of an object. */
typedef struct VtDisplayColor {
  int32_t mode; /* 0 off, 1 automatic, 2 always, 3 layer */
  VtVector color;
  int32_t xray;
} VtDisplayColor;

/* ---- opaque handles ---------------------------------------------------- */

typedef struct VtDocument VtDocument;
typedef struct VtObject VtObject;
typedef struct VtObjectArray VtObjectArray;
typedef struct VtAliasTrans VtAliasTrans;
typedef struct VtContainer VtContainer;
typedef struct VtCustomData VtCustomData;
typedef struct VtFilename VtFilename;
typedef struct VtDialog VtDialog;
typedef struct VtUserArea VtUserArea;
typedef struct VtBitmap VtBitmap;
typedef struct VtResource VtResource;

/* Record of a modeling command: the document and the object it acts on. */
typedef struct VtModelingCommandData {
  VtDocument* doc;
  VtObject* op;
} VtModelingCommandData;

/* ---- memory -------------------------------------------------------------- */

typedef struct VtMemoryOps {
  uint32_t size;
  /* A zero-filled block of `bytes` bytes, or null. */
  void* (*alloc)(int64_t bytes);
  /* Frees a block from `alloc`; null is ignored. */
  void (*free)(void* block);
} VtMemoryOps;

/* ---- scene ------------------------------------------------------------- */

/* Undo types. */
#define VT_UNDOTYPE_CHANGE 40
#define VT_UNDOTYPE_NEWOBJ 44

/* Copy flags of object_clone. */
#define VT_COPYFLAGS_NONE 0
#define VT_COPYFLAGS_NO_HIERARCHY 4

/* Rotation order of the angle conversions. */
#define VT_ROTATIONORDER_HPB 6

/* Merge flag of object_set_container. */
#define VT_SETCONTAINER_MERGE 1

/* Tag-data types. */
#define VT_TAG_POINTS 5600   /* VtVector per point */
#define VT_TAG_TANGENTS 5617 /* VtTangent per point */

typedef struct VtSceneOps {
  uint32_t size;

  /* Documents and selection. */
  VtDocument* (*get_active_document)(void);
  VtObjectArray* (*object_array_alloc)(void);
  void (*object_array_free)(VtObjectArray* array);
  int32_t (*object_array_count)(const VtObjectArray* array);
  VtObject* (*object_array_get)(const VtObjectArray* array, int32_t index);
  /* Fills `out` (emptied first) with the active objects, in document order. */
  void (*document_get_active_objects)(VtDocument* doc, VtObjectArray* out, int32_t flags);
  /* Inserts an object that lies outside any document under `parent` after
   * `pred` (both may be null: first top-level object). With `unique_name`
   * the host renames the object when its name is taken. */
  int32_t (*document_insert_object)(VtDocument* doc, VtObject* op, VtObject* parent, VtObject* pred,
                                    int32_t unique_name);
  /* Mode 0 makes `op` the only active object. */
  void (*document_set_active_object)(VtDocument* doc, VtObject* op, int32_t mode);

  /* Undo groups. add_undo registers `op` before it changes. */
  int32_t (*document_start_undo)(VtDocument* doc);
  int32_t (*document_add_undo)(VtDocument* doc, int32_t type, VtObject* op);
  int32_t (*document_end_undo)(VtDocument* doc);

  /* Hierarchy, type and name. */
  VtObject* (*object_down)(const VtObject* op);
  VtObject* (*object_next)(const VtObject* op);
  VtObject* (*object_up)(const VtObject* op);
  int32_t (*object_type)(const VtObject* op);
  int32_t (*object_is_instance_of)(const VtObject* op, int32_t type);
  VtText (*object_get_name)(const VtObject* op);
  int32_t (*object_set_name)(VtObject* op, VtText name);

  /* Cloning. The clone lies outside any document until it is inserted. */
  VtAliasTrans* (*alias_trans_alloc)(void);
  void (*alias_trans_free)(VtAliasTrans* trans);
  int32_t (*alias_trans_init)(VtAliasTrans* trans, VtDocument* doc);
  void (*alias_trans_translate)(VtAliasTrans* trans, int32_t prepare);
  VtObject* (*object_clone)(const VtObject* op, int32_t copy_flags, VtAliasTrans* trans);

  /* Placement: the local matrix, and angle conversions in a rotation order. */
  void (*object_get_ml)(const VtObject* op, VtMatrix* out);
  int32_t (*object_set_ml)(VtObject* op, const VtMatrix* m);
  void (*matrix_to_hpb)(const VtMatrix* m, int32_t rotation_order, VtVector* out);
  void (*hpb_to_matrix)(const VtVector* hpb, int32_t rotation_order, VtMatrix* out);
  /* The object's further vector property. */
  void (*object_get_vector)(const VtObject* op, VtVector* out);
  int32_t (*object_set_vector)(VtObject* op, const VtVector* v);
  /* Non-zero for objects that carry spline data. */
  int32_t (*object_spline_info)(const VtObject* op);

  /* Tag data: element count, and a writable pointer to the first element
   * (null when the object has no such data). */
  int32_t (*object_tag_data_count)(const VtObject* op, int32_t tag_type);
  void* (*object_tag_data_writable)(VtObject* op, int32_t tag_type);

  /* Parameters. get_container gives a copy that the caller frees; changing
   * it changes nothing on the object until it is set back. Reads of a
   * missing id or of another kind give `preset`. */
  VtContainer* (*object_get_container)(const VtObject* op);
  void (*container_free)(VtContainer* bc);
  int32_t (*object_set_container)(VtObject* op, const VtContainer* bc, int32_t flags);
  int32_t (*container_get_bool)(const VtContainer* bc, int32_t id, int32_t preset);
  int32_t (*container_get_int32)(const VtContainer* bc, int32_t id, int32_t preset);
  double (*container_get_float)(const VtContainer* bc, int32_t id, double preset);
  void (*container_get_vector)(const VtContainer* bc, int32_t id, const VtVector* preset, VtVector* out);
  /* Borrowed pointer to a custom-data value of `data_type` stored in the
   * container, writable in place; null when there is none. */
  VtCustomData* (*container_get_custom)(VtContainer* bc, int32_t id, int32_t data_type);
  int32_t (*container_set_bool)(VtContainer* bc, int32_t id, int32_t value);
  int32_t (*container_set_int32)(VtContainer* bc, int32_t id, int32_t value);
  int32_t (*container_set_float)(VtContainer* bc, int32_t id, double value);
  int32_t (*container_set_vector)(VtContainer* bc, int32_t id, const VtVector* value);

  /* Messages, commands and notifications. */
  int32_t (*object_message)(VtObject* op, int32_t id, void* data);
  int32_t (*send_modeling_command)(int32_t command, const VtModelingCommandData* data);
  void (*call_command)(int32_t id, int32_t sub_id);
  void (*event_add)(int32_t flags);
  /* A host library's function table by library id, or null. */
  const void* (*find_library)(int32_t library_id);

  int32_t (*object_set_display_color)(VtObject* op, const VtDisplayColor* props);
} VtSceneOps;

/* Library 1009059: the spline-curve library. */
#define VT_LIBRARY_SPLINE_CURVE 1009059
#define VT_CUSTOMDATA_SPLINE_CURVE 1009060
typedef struct VtSplineCurveLibrary {
  uint32_t size;
  void (*mirror)(VtCustomData* curve);
} VtSplineCurveLibrary;

/* ---- user interface ---------------------------------------------------- */

/* Dialog types of dialog_open. */
#define VT_DLG_TYPE_MODAL 10
#define VT_DLG_TYPE_MODAL_RESIZEABLE 11
#define VT_DLG_TYPE_ASYNC 20

/* The host's calls into a dialog; `user` is what dialog_alloc was given. */
typedef struct VtDialogCallbacks {
  uint32_t size;
  int32_t (*create_layout)(void* user);
  int32_t (*init_values)(void* user);
  int32_t (*command)(void* user, int32_t id);
  /* True keeps the dialog open. */
  int32_t (*ask_close)(void* user);
} VtDialogCallbacks;

/* The host's calls into a user area. */
typedef struct VtUserAreaCallbacks {
  uint32_t size;
  int32_t (*init)(void* user);
  void (*draw)(void* user, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
} VtUserAreaCallbacks;

/* The host's calls into a registered command. `destroy` is called once,
 * before the host's end action, after which `user` is not used again. */
typedef struct VtCommandCallbacks {
  uint32_t size;
  int32_t (*execute)(void* user, VtDocument* doc);
  int32_t (*get_state)(void* user, VtDocument* doc);
  void (*destroy)(void* user);
} VtCommandCallbacks;

typedef struct VtUiOps {
  uint32_t size;

  /* Dialogs. A modal open returns once the dialog is closed. */
  VtDialog* (*dialog_alloc)(const VtDialogCallbacks* callbacks, void* user);
  void (*dialog_free)(VtDialog* dlg);
  int32_t (*dialog_open)(VtDialog* dlg, int32_t type, int32_t plugin_id, int32_t x, int32_t y, int32_t w,
                         int32_t h, int32_t sub_id);
  int32_t (*dialog_close)(VtDialog* dlg);
  int32_t (*dialog_load_layout)(VtDialog* dlg, int32_t id, const VtResource* res, int32_t flags);
  int32_t (*dialog_attach_user_area)(VtDialog* dlg, int32_t gadget_id, VtUserArea* ua, int32_t flags);

  /* Menus. */
  void (*menu_flush_all)(VtDialog* dlg);
  void (*menu_sub_begin)(VtDialog* dlg, VtText title);
  void (*menu_sub_end)(VtDialog* dlg);
  void (*menu_add_entry)(VtDialog* dlg, int32_t id, VtText text);
  void (*menu_finished)(VtDialog* dlg);

  /* Gadgets by id. Reads return true on success and leave `out` alone on
   * failure; a text read is borrowed until the gadget changes. */
  int32_t (*gadget_get_bool)(VtDialog* dlg, int32_t id, int32_t* out);
  int32_t (*gadget_get_int32)(VtDialog* dlg, int32_t id, int32_t* out);
  int32_t (*gadget_get_float)(VtDialog* dlg, int32_t id, double* out);
  int32_t (*gadget_get_text)(VtDialog* dlg, int32_t id, VtText* out);
  int32_t (*gadget_get_color)(VtDialog* dlg, int32_t id, VtVector* color, double* brightness);
  int32_t (*gadget_set_bool)(VtDialog* dlg, int32_t id, int32_t value);
  int32_t (*gadget_set_int32)(VtDialog* dlg, int32_t id, int32_t value, int32_t min, int32_t max,
                              int32_t step, int32_t tristate);
  int32_t (*gadget_set_float)(VtDialog* dlg, int32_t id, double value, double min, double max, double step,
                              int32_t tristate);
  int32_t (*gadget_set_text)(VtDialog* dlg, int32_t id, VtText text, int32_t tristate, int32_t flags);
  int32_t (*gadget_set_color)(VtDialog* dlg, int32_t id, const VtVector* color, double brightness,
                              double max_brightness, int32_t flags);
  int32_t (*gadget_enable)(VtDialog* dlg, int32_t id, int32_t enabled);
  int32_t (*popup_clear)(VtDialog* dlg, int32_t id);
  int32_t (*popup_add)(VtDialog* dlg, int32_t id, int32_t entry_id, VtText text);

  /* User areas. */
  VtUserArea* (*user_area_alloc)(const VtUserAreaCallbacks* callbacks, void* user);
  void (*user_area_free)(VtUserArea* ua);
  int32_t (*user_area_width)(const VtUserArea* ua);
  int32_t (*user_area_height)(const VtUserArea* ua);
  /* Draws the source rectangle of `bmp` into the destination rectangle of
   * the gadget; mode 1 scales it to fit. */
  void (*user_area_draw_bitmap)(VtUserArea* ua, const VtBitmap* bmp, int32_t sx, int32_t sy, int32_t sw,
                                int32_t sh, int32_t dx, int32_t dy, int32_t dw, int32_t dh, int32_t mode);

  /* Bitmaps. */
  VtBitmap* (*bitmap_alloc)(void);
  void (*bitmap_free)(VtBitmap* bmp);
  int32_t (*bitmap_load)(VtBitmap* bmp, const VtFilename* name, int32_t frame);
  int32_t (*bitmap_width)(const VtBitmap* bmp);
  int32_t (*bitmap_height)(const VtBitmap* bmp);

  /* Resources: the plug-in's resource, read from `folder`'s "res" folder. */
  VtResource* (*resource_load)(const VtFilename* folder);
  void (*resource_free)(VtResource* res);

  /* Messages to the user. */
  void (*console_write)(VtText text);
  void (*message_box)(VtText text, int32_t type);
} VtUiOps;

/* ---- files ------------------------------------------------------------- */

typedef struct VtFileOps {
  uint32_t size;
  /* A file name made from text; the host reads its own separators. */
  VtFilename* (*filename_alloc)(VtText text);
  VtFilename* (*filename_copy)(const VtFilename* name);
  void (*filename_free)(VtFilename* name);
  VtText (*filename_get_text)(const VtFilename* name);
  /* Appends `component` as a further path component. */
  int32_t (*filename_append)(VtFilename* name, const VtFilename* component);
  /* Opens a file with the system's default application. */
  int32_t (*open_with_default_app)(const VtFilename* name);
} VtFileOps;

/* ---- plug-ins ---------------------------------------------------------- */

typedef struct VtPluginOps {
  uint32_t size;
  /* Registers a command. The host copies `icon` (may be null) and owns
   * `user` from then on, freeing it through callbacks->destroy. */
  int32_t (*register_command)(int32_t id, VtText name, int32_t flags, const VtBitmap* icon, VtText help,
                              const VtCommandCallbacks* callbacks, void* user);
} VtPluginOps;

/* ---- the table --------------------------------------------------------- */

typedef struct VtHostTable {
  int32_t host_version; /* first field: the host's version number, e.g. 23100 */
  int32_t abi_version;  /* VT_ABI_VERSION the host was built with */
  uint32_t size;        /* sizeof(VtHostTable) as the host knows it */
  const VtMemoryOps* memory;
  const VtSceneOps* scene;
  const VtUiOps* ui;
  const VtFileOps* files;
  const VtPluginOps* plugins;
} VtHostTable;

/* ---- what the library exports ---------------------------------------- */

/* Entry point: c4d_main(action, p1, p2, p3), with one of these actions. */
enum {
  /* p1 is the VtHostTable, p3 the plug-in's folder (const VtFilename*);
   * 1 accepts the host, VT_RESULT_REFUSED refuses it. */
  VT_ACTION_INIT = 1,
  /* Register commands; 1 when started. */
  VT_ACTION_START = 2,
  /* Before the library is unloaded; the table is not used after it. */
  VT_ACTION_END = 3,
  /* Asks which kind of module the library is; answered VT_RESULT_QUERY. */
  VT_ACTION_QUERY = 4,
  /* p1 is the message id (an integer the size of a pointer), p2 its data. */
  VT_ACTION_MESSAGE = 6
};
enum { VT_RESULT_REFUSED = -3, VT_RESULT_QUERY = 5 };
typedef int32_t (*VtMainFunction)(int32_t action, void* p1, void* p2, void* p3);
#define VT_MAIN_SYMBOL "c4d_main"

/* The module declaration, a data symbol that the host reads after loading
 * the library and before the first call of the entry point. */
typedef struct VtModuleDeclaration {
  int32_t abi_version;
  const char* identifier;
  int32_t framework_count;
  const char* const* frameworks;
} VtModuleDeclaration;
#define VT_MODULE_SYMBOL "vt_module_declaration"

#ifdef __cplusplus
}
#endif

#endif /* VITREL_HOST_ABI_H */
