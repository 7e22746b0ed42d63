#include "platform/prompter.h"

namespace {
FileDialogPlacesHook& Hook() {
  static FileDialogPlacesHook hook;
  return hook;
}
}  // namespace

void SetFileDialogPlacesHook(FileDialogPlacesHook hook) { Hook() = std::move(hook); }

void ApplyFileDialogPlacesHook(FileDialogRequest& request) {
  if (request.usePlaces || !Hook()) return;
  Hook()(request);
}
