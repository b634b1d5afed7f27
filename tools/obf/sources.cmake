# The sources of obfcore, shared by the cross build (CMakeLists.txt here) and the
# native fuzz build (fuzz/CMakeLists.txt).
set(OBFCORE_SOURCES
  Base64.cpp Board.cpp BoardParse.cpp BoardWrite.cpp Color.cpp ColorNames.cpp ImageSource.cpp
  JsonText.cpp Manifest.cpp Package.cpp PackagePath.cpp ZipReader.cpp ZipWriter.cpp)
list(TRANSFORM OBFCORE_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
