#include "ui/skin_archive_factory.h"

#include <windows.h>

#include <memory>
#include <utility>

#include "ui/skin_archive.h"

namespace SkinUI {

ArchiveFactory MakeSkinArchiveFactory(std::function<std::string()> loadBytes) {
  struct State {
    std::function<std::string()> Load;
    bool Loaded = false;
    std::shared_ptr<IResourceArchive> Archive;
  };
  auto state = std::make_shared<State>();
  state->Load = std::move(loadBytes);
  return [state](int resourceType, int resourceId) -> std::shared_ptr<IResourceArchive> {
    if (resourceType != kResourceTypeArchive || resourceId != kSkinResourceId) return nullptr;
    if (!state->Loaded) {
      state->Loaded = true;
      const std::string bytes = state->Load ? state->Load() : std::string();
      state->Archive = SkinArchive::Open(bytes.data(), bytes.size());
    }
    return state->Archive;
  };
}

void UseEmbeddedSkinArchive() {
  SetArchiveFactory(MakeSkinArchiveFactory([] { return LoadSkinResource(::GetModuleHandleW(nullptr)); }));
}

}  // namespace SkinUI
