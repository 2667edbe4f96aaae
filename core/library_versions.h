#pragma once

#include <string>

// One diagnostic line naming the versions of the libraries linked into the
// installer, for example "libcurl/7.88.1 zlib/1.2.13 jsoncpp/1.9.5
// pugixml/1.13 7z/26.02". Pure; callable from any thread.
std::wstring LibraryVersions();
