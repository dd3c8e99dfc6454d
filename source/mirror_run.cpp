#include "flipit.h"
#include "flipit_ids.h"
#include "mirror.h"
#include "mirror_support.h"
#include "plugin_host.h"

namespace {

// The follow-up command and the message that tells the object it was run.
constexpr Int32 kPostMirrorCommand = 1023335;
constexpr Int32 kPostMirrorMessage = 5;

constexpr const char* kDuplicateFailure =
    "Vitrel system error: unable to duplicate requested object\n(are you short of system memory?).";

// The display-colour mode that a value of the colour-mode list stands for;
// 0 (off) for any value the list does not hold.
Int32 ColorModeOf(Int32 listValue) {
  switch (listValue) {
    case COLOR_AUTOMATIC:
      return 1;
    case COLOR_ALWAYS:
      return 2;
    case COLOR_LAYER:
      return 3;
    default:
      return 0;
  }
}

// The run's own options, besides those of the walk.
struct RunOptions {
  Bool duplicate = false;
  Bool finalCommand = false;
  // Read only for a run that duplicates.
  Bool withoutChildren = false;
  Int32 renameMode = 0;
  Bool keepColor = false;
};

// Reads the run's options, and checks that the walk's can be read, before
// anything changes: a run that cannot have them all does not start, rather
// than duplicate or mirror with options made up in their place.
Bool ReadRunOptions(const FlipItDialog& dialog, RunOptions& options) {
  if (!dialog.GetBool(IDC_DUPLICATE, options.duplicate) ||
      !dialog.GetBool(IDC_FINAL_COMMAND, options.finalCommand) || !CanReadWalkOptions(dialog))
    return false;
  return !options.duplicate || (dialog.GetBool(IDC_DUPLICATE_WITHOUT_CHILDREN, options.withoutChildren) &&
                                dialog.GetInt32(IDC_RENAME_MODE, options.renameMode) &&
                                dialog.GetBool(IDC_KEEP_DISPLAY_COLOR, options.keepColor));
}

// Inserts, names and colours a fresh clone of `op`: the duplicate the run
// then mirrors. Null when the host could not duplicate the object; the
// failure has then been reported.
BaseObject* Duplicate(const FlipItDialog& dialog, const RunOptions& options, BaseObject* op,
                      BaseDocument* doc) {
  AliasTrans* trans = AliasTrans::Alloc();
  BaseObject* clone = nullptr;
  if (trans != nullptr && trans->Init(doc)) {
    clone = static_cast<BaseObject*>(
        op->GetClone(options.withoutChildren ? COPYFLAGS::NO_HIERARCHY : COPYFLAGS::NONE, trans));
  }
  if (clone == nullptr) {
    MessageDialog(String(kDuplicateFailure));
    AliasTrans::Free(trans);
    return nullptr;
  }

  trans->Translate(true);
  const Int32 renameMode = options.renameMode;
  doc->AddUndo(UNDOTYPE::CHANGE, clone);
  doc->InsertObject(clone, nullptr, nullptr, renameMode == RENAME_BY_HOST);
  // A new object is registered once it is in the document: the host's undo
  // then takes it out again.
  doc->AddUndo(UNDOTYPE::NEWOBJ, clone);
  doc->AddUndo(UNDOTYPE::CHANGE, clone);
  // The copy leaves the original's parent but keeps its place in the world,
  // as an object moved out of its parent does, and is then mirrored where it
  // lies: across the world's plane.
  if (op->GetUp() != nullptr) clone->SetMl(vitrel::mirror::WorldMatrix(op));
  doc->SetActiveObject(clone, SELECTION_NEW);
  // A suffix that cannot be read leaves the names as they are.
  String suffix;
  if ((renameMode == RENAME_PRIMARY || renameMode == RENAME_ALL) && dialog.GetString(IDC_SUFFIX, suffix))
    RenameHierarchy(clone, true, suffix, renameMode == RENAME_ALL);
  if (!options.keepColor) ApplyColourProperties(dialog, clone);
  AliasTrans::Free(trans);
  return clone;
}

// The run once an object to mirror is known: one undo group around it all.
void MirrorSelected(FlipItDialog& dialog, BaseObject* op, BaseDocument* doc) {
  RunOptions options;
  if (!ReadRunOptions(dialog, options)) return;
  doc->StartUndo();
  // A failed duplication falls back to mirroring the selected object itself.
  BaseObject* clone = options.duplicate ? Duplicate(dialog, options, op, doc) : nullptr;
  if (clone != nullptr) {
    WalkHierarchy(dialog, clone, doc, true);
    if (options.finalCommand) {
      doc->SetActiveObject(clone, SELECTION_NEW);
      RunPostMirrorCommand(clone, doc);
    }
  } else {
    WalkHierarchy(dialog, op, doc, true);
    if (options.finalCommand) RunPostMirrorCommand(op, doc);
  }
  doc->EndUndo();
}

}  // namespace

void MirrorRun(FlipItDialog& dialog) {
  BaseDocument* doc = GetActiveDocument();
  if (doc == nullptr) return;
  AtomArray* selection = AtomArray::Alloc();
  if (selection == nullptr) return;
  doc->GetActiveObjects(*selection, GETACTIVEOBJECTFLAGS::NONE);
  // Only the first selected object is mirrored; the others are left alone.
  BaseObject* op = selection->GetCount() >= 1 ? static_cast<BaseObject*>(selection->GetIndex(0)) : nullptr;
  if (op != nullptr) MirrorSelected(dialog, op, doc);
  AtomArray::Free(selection);
}

void RenameHierarchy(BaseObject* op, Bool isTop, const String& suffix, Bool recurse) {
  vitrel::mirror::VisitHierarchy(op, isTop, [&](BaseObject* current) {
    // A name that cannot be built whole is left as it was, never replaced
    // by the suffix alone or a part of it.
    String name = current->GetName();
    if (vitrel::host::Append(name, suffix)) current->SetName(name);
    return recurse;
  });
}

void ApplyColourProperties(const FlipItDialog& dialog, BaseObject* op) {
  // Properties the dialog cannot show are not made up: the object keeps its
  // own.
  ObjectColorProperties properties;
  Int32 mode = 0;
  Float brightness = 0.0;
  if (!dialog.GetBool(IDC_XRAY, properties.xray) || !dialog.GetInt32(IDC_DISPLAY_COLOR_MODE, mode) ||
      !dialog.GetColorField(IDC_DISPLAY_COLOR, properties.color, brightness))
    return;
  properties.usecolor = ColorModeOf(mode);
  op->SetColorProperties(&properties);
}

void RunPostMirrorCommand(BaseObject* op, BaseDocument* doc) {
  doc->AddUndo(UNDOTYPE::CHANGE, op);
  CallCommand(kPostMirrorCommand, 0);
  op->Message(kPostMirrorMessage);
}
