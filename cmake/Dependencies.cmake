# Imported targets for the libraries built by tools/setup/install-deps.sh into
# the dependency cache, and for the mingw-w64 zlib package.
#   Deps::curl  Deps::zlib  Deps::jsoncpp  Deps::lzma  Deps::pugixml

if(DEFINED ENV{DEPS_CACHE})
  set(_deps_default "$ENV{DEPS_CACHE}")
elseif(DEFINED ENV{XDG_CACHE_HOME})
  set(_deps_default "$ENV{XDG_CACHE_HOME}/tovrel-installer/deps")
else()
  set(_deps_default "$ENV{HOME}/.cache/tovrel-installer/deps")
endif()
set(TOVREL_DEPS_CACHE "${_deps_default}" CACHE PATH "Dependency cache of install-deps.sh")
set(_deps "${TOVREL_DEPS_CACHE}/${TOOLCHAIN_TRIPLE}")

# Each library sits behind a link named with its recipe revision.
file(STRINGS "${PROJECT_SOURCE_DIR}/tools/setup/recipes.txt" _recipes REGEX "^[a-z]")
foreach(_line IN LISTS _recipes)
  string(REGEX MATCHALL "[^ \t]+" _fields "${_line}")
  list(GET _fields 0 _name)
  list(GET _fields 2 _revision)
  set(_dep_${_name} "${_deps}/${_name}-r${_revision}")
endforeach()

function(_tovrel_static_dep target lib_path include_dir)
  if(NOT EXISTS "${lib_path}")
    message(FATAL_ERROR "${lib_path} not found: run tools/setup/install-deps.sh")
  endif()
  add_library(${target} STATIC IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES
    IMPORTED_LOCATION "${lib_path}"
    INTERFACE_INCLUDE_DIRECTORIES "${include_dir}")
endfunction()

find_library(TOVREL_ZLIB_LIBRARY NAMES libz.a z REQUIRED)
find_path(TOVREL_ZLIB_INCLUDE zlib.h REQUIRED)
_tovrel_static_dep(Deps::zlib "${TOVREL_ZLIB_LIBRARY}" "${TOVREL_ZLIB_INCLUDE}")

_tovrel_static_dep(Deps::curl "${_dep_curl}/lib/libcurl.a" "${_dep_curl}/include")
set_target_properties(Deps::curl PROPERTIES
  INTERFACE_COMPILE_DEFINITIONS CURL_STATICLIB
  INTERFACE_LINK_LIBRARIES "Deps::zlib;ws2_32;crypt32;bcrypt;secur32;normaliz;wldap32;advapi32")

_tovrel_static_dep(Deps::jsoncpp "${_dep_jsoncpp}/lib/libjsoncpp.a" "${_dep_jsoncpp}/include")
_tovrel_static_dep(Deps::lzma "${_dep_lzma}/lib/liblzmasdk.a" "${_dep_lzma}/include")
_tovrel_static_dep(Deps::pugixml "${_dep_pugixml}/lib/libpugixml.a" "${_dep_pugixml}/include")

# curl.exe of the same libcurl build: the reference of the download benchmark.
set(TOVREL_CURL_EXE "${_dep_curl}/bin/curl.exe")
