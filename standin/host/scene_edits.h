// What the plug-in's scene calls do, in the host's own terms. Every change
// of an object goes through the open undo group's check first and every call
// is journalled, so other host code (and tests) can make the same calls
// without the C table. While a run is recorded, each change is also noted in
// the current RunRecord.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "scene/document.h"
#include "vitrel_host_abi.h"

namespace standin {

// Selection modes of SetActiveObject.
inline constexpr int32_t kSelectNew = 0;     // `op` becomes the only active object
inline constexpr int32_t kSelectAdd = 1;     // `op` is added to the active objects
inline constexpr int32_t kSelectRemove = 2;  // `op` is no longer active

// The active objects of `doc` in document order (an object before its
// children).
std::vector<Object*> ActiveObjects(const Document& doc);
// `op` null with kSelectNew deselects everything. False for an object of
// another document or an unknown mode.
bool SetActiveObject(Document& doc, Object* op, int32_t mode);

// Inserts `op`, the root of a hierarchy outside any document, under `parent`
// (null: top level) after `pred` (null: first). With `unique_name`, `op`
// (not its children) is renamed when its name is taken in `doc`. False when
// `op` is in a document or has a parent, or `parent`/`pred` do not fit.
bool InsertObject(Document& doc, Object& op, Object* parent, Object* pred, bool unique_name);

bool StartUndo(Document& doc);
// `op` may be null (journalled, then refused).
bool AddUndo(Document& doc, int32_t type, Object* op);
bool EndUndo(Document& doc);

// Writes of an object's own data. Names must be valid UTF-8; numbers must be
// finite (a non-finite one is refused and journalled as `write.rejected`, so
// that no scene written later holds a value that cannot be read back).
bool SetName(Object& op, std::string_view name);
bool SetMatrix(Object& op, const Matrix& m);
bool SetVector(Object& op, const Vec3& v);
bool SetDisplayColor(Object& op, const DisplayColor& color);
bool SetContainerOf(Object& op, const Container& bc, bool merge);
// Refuses and journals non-finite values of a container about to be written.
bool FiniteForWrite(const Object* source, std::string_view what, double value);
bool FiniteForWrite(const Object* source, std::string_view what, const Vec3& value);

// Tag data 5600 (points) and 5617 (tangents): the element count (0 when
// absent), and a writable pointer to the first element (null when absent or
// empty).
int32_t TagDataCount(const Object& op, int32_t tag_type);
void* WritableTagData(Object& op, int32_t tag_type);

// Object messages change nothing; message 1's record is checked against the
// object's real point count and a mismatch journalled.
bool SendObjectMessage(Object& op, int32_t id, const void* data);
// Modeling command 217 reverses a polygon object's normals; other commands
// and other objects are refused.
bool RunModelingCommand(int32_t command, Object* op);
// Host commands and refresh requests are only journalled.
void CallCommand(int32_t id, int32_t sub_id);
void RequestRefresh(int32_t arg);
// The spline-curve library's one operation, on a curve copied from `source`.
void MirrorCurveOf(SplineCurve& curve, const Object* source);

}  // namespace standin
