// The import of a board and the boards it links to, each into a document, all or none.
#include "BoardImport.h"
#include "BoardBuilder.h"
#include "BoardDocumentNames.h"
#include "BoardFiles.h"
#include "BoardMedia.h"
#include "Utf8ToAnsi.h"

#include "Board.h"

#include "hoard/resources/Hoard.h"

#include <deque>
#include <map>
#include <string>

namespace {

// A colour of a board's button; one that is not opaque laid over white, as it shows
// on the usual white board.
COLORREF ColorOf(const obf::Color& color)
{
    auto overWhite = [&](uint8_t c) { return (BYTE)((c * color.alpha + 255 * (255 - color.alpha) + 127) / 255); };
    return RGB(overWhite(color.red), overWhite(color.green), overWhite(color.blue));
}

using Reasons = std::vector<std::pair<CString, int>>;
// What each image or sound of a board became, by id: the resource, or NULL and why.
using Imported = std::map<std::string, std::pair<CResource*, CString>>;

void Count(Reasons& reasons, const CString& strWhy)
{
    for (auto& reason : reasons)
    {
        if (reason.first == strWhy)
        {
            ++reason.second;
            return;
        }
    }
    reasons.emplace_back(strWhy, 1);
}

// The resource that the image or sound of the id became, imported by import(strWhy)
// when first asked for; counted in nHad, or its reason in skipped.
template <class Import>
CResource* Resolve(Imported& imported, const std::string& id, int& nHad, Reasons& skipped, Import import)
{
    auto it = imported.find(id);
    if (it == imported.end())
    {
        CString strWhy;
        CResource* pResource = import(strWhy);
        it = imported.emplace(id, std::make_pair(pResource, strWhy)).first;
    }
    if (it->second.first != NULL)
        ++nHad;
    else
        Count(skipped, it->second.second);
    return it->second.first;
}

// The picture or sound of the board's image or sound pOwn, by import(media). One that
// the board lacks is read from the path that the package's manifest gives its id, its
// content type unknown: its bytes tell what it is. NULL, with strWhy, when it cannot be
// had.
template <class Media, class Import>
CResource* ImportMedia(const Media* pOwn, const char* pszKind, const std::string& id, const std::string& strListedPath,
                       CString& strWhy, Import import)
{
    if (pOwn != NULL)
        return import(*pOwn);
    if (strListedPath.empty())
    {
        int nMissing = 0; // an id is no name or label of the board
        strWhy.Format("%s %s is not in the board", pszKind, (LPCSTR)Utf8ToAnsi(id, nMissing));
        return NULL;
    }
    Media listed;
    listed.id = id;
    listed.path = strListedPath;
    return import(listed);
}

CString Counted(int n, const char* pszOne, const char* pszMany)
{
    CString strText;
    strText.Format("%d %s", n, n == 1 ? pszOne : pszMany);
    return strText;
}

// Moves the documents into place once all were saved; removes the temporary files of
// an import that failed.
class CDocumentSaves
{
public:
    explicit CDocumentSaves(const CString& strFolder) : m_strFolder(strFolder) {}
    ~CDocumentSaves()
    {
        for (const Save& save : m_saves)
            DeleteFileA(save.strTemp);
    }
    CDocumentSaves(const CDocumentSaves&) = delete;
    CDocumentSaves& operator=(const CDocumentSaves&) = delete;

    // Saves the board to a new temporary file in the folder, to become strFile.
    void Add(CBoardBuilder& builder, const CString& strFile)
    {
        char szTemp[MAX_PATH];
        if (GetTempFileNameA(m_strFolder.IsEmpty() ? "." : (LPCSTR)m_strFolder, "obf", 0, szTemp) == 0)
            AfxThrowFileException(CFileException::badPath, (LONG)GetLastError(), m_strFolder + strFile);
        m_saves.push_back(Save{ szTemp, m_strFolder + strFile });
        builder.Save(szTemp);
    }

    // Moves every document into place, the first (OUT) last.
    void Commit()
    {
        for (size_t i = m_saves.size(); i-- > 0;)
        {
            const Save& save = m_saves[i];
            if (!MoveFileExA(save.strTemp, save.strFinal, MOVEFILE_REPLACE_EXISTING))
                AfxThrowFileException(CFileException::accessDenied, (LONG)GetLastError(), save.strFinal);
            m_saves.erase(m_saves.begin() + (ptrdiff_t)i);
        }
    }

private:
    struct Save
    {
        CString strTemp;
        CString strFinal;
    };

    CString m_strFolder;
    std::vector<Save> m_saves;
};

class CBoardImport
{
public:
    CBoardImport(const CBoardFiles& files, const CString& strOut);

    std::vector<BoardImportReport> Run();

private:
    // A board read and given its document, waiting to be imported.
    struct Pending
    {
        std::string strPath;
        obf::Board board;
        CString strFile;
    };

    BoardImportReport Import(const Pending& pending);
    BoardChoice MakeChoice(const obf::Button& button, BoardImportReport& report);
    // The document of the board that the link leads to, queued for import when it is
    // new; empty, with strWhy, when it leads to no board of the package.
    CString DocumentOf(const obf::LoadBoard& link, CString& strWhy);
    CString Queue(const std::string& strPath, obf::Board board, const CString& strFile);

    const CBoardFiles& m_files;
    CString m_strFolder;    // OUT's folder, with its '\'
    CBoardDocumentNames m_names;
    std::map<std::string, CString> m_documents; // board path -> document file name
    std::deque<Pending> m_pending;
    CDocumentSaves m_saves;

    // The board being imported: its hoard, and what its images and sounds became (NULL
    // with the reason when they could not be had), each imported once.
    CHoard* m_pHoard = NULL;
    Imported m_images;
    Imported m_sounds;
    const obf::Board* m_pBoard = NULL;
};

CString FolderOf(const CString& strPath)
{
    return strPath.Left(strPath.ReverseFind('\\') + 1);
}

CBoardImport::CBoardImport(const CBoardFiles& files, const CString& strOut)
    : m_files(files), m_strFolder(FolderOf(strOut)), m_names(strOut.Mid(m_strFolder.GetLength())),
      m_saves(m_strFolder)
{
    Queue(files.RootPath(), files.ReadBoard(files.RootPath()), strOut.Mid(m_strFolder.GetLength()));
}

CString CBoardImport::Queue(const std::string& strPath, obf::Board board, const CString& strFile)
{
    m_documents[strPath] = strFile;
    m_pending.push_back(Pending{ strPath, std::move(board), strFile });
    return strFile;
}

std::vector<BoardImportReport> CBoardImport::Run()
{
    std::vector<BoardImportReport> reports;
    // Importing a board may queue the boards it links to; each is read once.
    while (!m_pending.empty())
    {
        Pending pending = std::move(m_pending.front());
        m_pending.pop_front();
        reports.push_back(Import(pending));
    }
    m_saves.Commit();
    return reports;
}

BoardImportReport CBoardImport::Import(const Pending& pending)
{
    BoardImportReport report;
    report.strFile = pending.strFile;
    report.strName = Utf8ToAnsi(pending.board.name, report.nMissingCharacters);

    CHoard hoard;
    m_pHoard = &hoard;
    m_pBoard = &pending.board;
    m_images.clear();
    m_sounds.clear();
    CBoardBuilder builder(hoard);
    builder.SetTitle(report.strName);
    for (const auto& row : pending.board.grid.order)
    {
        builder.AddRow();
        for (const auto& cell : row)
        {
            if (!cell)
            {
                builder.AddEmpty();
                continue;
            }
            builder.AddChoice(MakeChoice(*pending.board.FindButton(*cell), report));
            ++report.nButtons;
        }
    }
    m_saves.Add(builder, pending.strFile);
    m_pHoard = NULL;
    m_pBoard = NULL;
    return report;
}

BoardChoice CBoardImport::MakeChoice(const obf::Button& button, BoardImportReport& report)
{
    BoardChoice choice;
    choice.strName = Utf8ToAnsi(button.label.empty() ? button.id : button.label, report.nMissingCharacters);
    if (button.background_color)
        choice.crFill = ColorOf(*button.background_color);
    if (button.border_color)
        choice.crFrame = ColorOf(*button.border_color);

    const std::string& image = button.image_id;
    if (!image.empty())
        choice.pPicture = Resolve(m_images, image, report.nPictures, report.skippedImages, [&](CString& strWhy) {
            return ImportMedia(m_pBoard->FindImage(image), "image", image, m_files.PathOfImage(image), strWhy,
                               [&](const obf::Image& media) {
                                   return ImportBoardImage(*m_pHoard, m_files, media, choice.strName, strWhy);
                               });
        });
    const std::string& sound = button.sound_id;
    if (!sound.empty())
        choice.pSound = Resolve(m_sounds, sound, report.nSounds, report.skippedSounds, [&](CString& strWhy) {
            return ImportMedia(m_pBoard->FindSound(sound), "sound", sound, m_files.PathOfSound(sound), strWhy,
                               [&](const obf::Sound& media) {
                                   return ImportBoardSound(*m_pHoard, m_files, media, choice.strName, strWhy);
                               });
        });
    if (button.load_board)
    {
        CString strWhy;
        choice.strBoard = DocumentOf(*button.load_board, strWhy);
        if (!choice.strBoard.IsEmpty())
            ++report.nLinks;
        else
            Count(report.skippedLinks, strWhy);
    }
    return choice;
}

CString CBoardImport::DocumentOf(const obf::LoadBoard& link, CString& strWhy)
{
    std::string strPath;
    if (!link.path.empty() && m_files.Has(link.path))
        strPath = link.path;
    else if (!link.id.empty())
        strPath = m_files.PathOfBoard(link.id);
    if (strPath.empty() || !m_files.Has(strPath))
    {
        strWhy = link.path.empty() && link.id.empty() ? "url only, not fetched" : "board not in the package";
        return CString();
    }
    auto it = m_documents.find(strPath);
    if (it != m_documents.end())
        return it->second;
    obf::Board board = m_files.ReadBoard(strPath);
    int nMissing = 0; // counted when the board itself is imported
    const CString strFile = m_names.Take(Utf8ToAnsi(board.name, nMissing));
    return Queue(strPath, std::move(board), strFile);
}

} // namespace

CString BoardImportReport::Line() const
{
    CString strLine;
    strLine.Format("board \"%s\" -> %s: %s, %s, %s, %s", (LPCSTR)strName, (LPCSTR)strFile,
                   (LPCSTR)Counted(nButtons, "button", "buttons"), (LPCSTR)Counted(nPictures, "picture", "pictures"),
                   (LPCSTR)Counted(nSounds, "sound", "sounds"), (LPCSTR)Counted(nLinks, "link", "links"));
    CString strSkipped;
    auto addSkipped = [&](const Reasons& reasons, const char* pszOne, const char* pszMany) {
        for (const auto& reason : reasons)
        {
            strSkipped += strSkipped.IsEmpty() ? "; skipped: " : ", ";
            strSkipped += Counted(reason.second, pszOne, pszMany) + " (" + reason.first + ")";
        }
    };
    addSkipped(skippedImages, "image", "images");
    addSkipped(skippedSounds, "sound", "sounds");
    addSkipped(skippedLinks, "link", "links");
    strLine += strSkipped;
    if (nMissingCharacters > 0)
        strLine += "; " + Counted(nMissingCharacters, "character", "characters") + " not in the code page";
    return strLine;
}

std::vector<BoardImportReport> ImportBoards(const char* pszSource, const char* pszOut)
{
    CBoardFiles files(pszSource);
    CBoardImport import(files, pszOut);
    return import.Run();
}
