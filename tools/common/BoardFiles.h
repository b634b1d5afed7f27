// Where an imported board and what it refers to come from: a board package (.obz), or
// a loose board (.obf) and the files beside it. Both are read by paths inside the
// package, or inside the loose board's folder, which obf::CheckPackagePath keeps from
// leaving it.
#pragma once

#include "Package.h"

#include <afx.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CBoardFiles
{
public:
    // Opens the file at pszPath: a package when it starts as a zip does, else a loose
    // board. Fails with obf::Error for a package that obfcore refuses or a file larger
    // than a package may be uncompressed; raises CFileException when it cannot be read.
    explicit CBoardFiles(const char* pszPath);

// Attributes
    // The path of the board that opens first: the manifest's root, or the loose board's
    // file name.
    const std::string& RootPath() const { return m_strRoot; }
    // The path of the package's board, image or sound with the id, from the manifest;
    // empty when it lists none (a loose board has no manifest).
    std::string PathOfBoard(const std::string& id) const;
    std::string PathOfImage(const std::string& id) const;
    std::string PathOfSound(const std::string& id) const;
    // Whether there is a file at path; false for a path that leaves the package.
    bool Has(std::string_view path) const;

// Operations: each throws obf::Error naming the path, or raises CFileException.
    obf::Board ReadBoard(std::string_view path) const;
    std::vector<uint8_t> Read(std::string_view path) const;

private:
    // The path that the manifest's list of boards, images or sounds gives the id.
    std::string PathInManifest(std::map<std::string, std::string> obf::Manifest::*list, const std::string& id) const;
    // The loose board's folder's file at a checked path.
    CString FolderPath(std::string_view path) const;

    std::unique_ptr<obf::PackageReader> m_pPackage; // null for a loose board
    CString m_strFolder;                            // a loose board's folder, with its '\'
    std::string m_strRoot;
};

// Reads a whole file of at most obf::ZipLimits' total size; obf::Error for a larger
// one, CFileException when it cannot be read.
std::vector<uint8_t> ReadWholeFile(const char* pszPath);
