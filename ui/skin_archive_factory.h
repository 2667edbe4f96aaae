#pragma once
// Hands the skin archive to the UI framework: the framework asks its archive
// factory when the first window is built, and every later window (the dialogs)
// reuses the archive it got. UI thread only.
#include <functional>
#include <string>

#include "uiframework/resource_archive.h"

namespace SkinUI {

// Resource type of a window descriptor whose layout comes from an archive
// stored as a program resource.
inline constexpr int kResourceTypeArchive = 4;

// A factory that answers type kResourceTypeArchive with id 147 by decoding the
// bytes loadBytes gives. Those are read and decoded on the first request only;
// a missing or damaged resource makes this and every later request give null,
// so the framework stays without an archive rather than retrying.
ArchiveFactory MakeSkinArchiveFactory(std::function<std::string()> loadBytes);

// Registers the factory over the archive embedded in this executable. Called
// once at start-up, before the first window is created.
void UseEmbeddedSkinArchive();

}  // namespace SkinUI
