// hoardtool's export-board command: a board, and every board that its choices open,
// written as an Open Board Format package (.obz) that other board programs open.
//
// Each document becomes a board of the package, "boards/<id>.obf", its id the
// document's path relative to the exported board's folder without its extension. A
// choice becomes a button: its name the label, its fill and frame the colours, its
// picture a PNG file "images/<n>.png" (as export draws it), its sound a WAVE file
// "sounds/<n>.wav" (the bytes export writes), its linked board a load_board. Pictures
// and sounds of the same bytes share one file, across boards too.
#include "Commands.h"
#include "OutputNames.h"
#include "ShownPaths.h"
#include "ToolError.h"
#include "ToolFile.h"

#include "BoardReader.h"
#include "ObfError.h"
#include "Package.h"

#include "diblib/dibapi.h"
#include "hoard/resources/Hoard.h"
#include "hoard/sound/Wav.h"
#include "limn/containers/MainContainerRecord.h"
#include "limn/pictures/Picture.h"

#include <stdio.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

// Text of the ANSI code page as UTF-8, the format's encoding.
std::string Utf8Of(const CString& strText)
{
    if (strText.IsEmpty())
        return std::string();
    const int nWide = ::MultiByteToWideChar(CP_ACP, 0, strText, strText.GetLength(), NULL, 0);
    std::wstring wide(nWide, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, strText, strText.GetLength(), wide.data(), nWide);
    const int nUtf8 = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), nWide, NULL, 0, NULL, NULL);
    std::string utf8(nUtf8, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), nWide, utf8.data(), nUtf8, NULL, NULL);
    return utf8;
}

obf::Color ColorOf(COLORREF color) { return obf::Color{ GetRValue(color), GetGValue(color), GetBValue(color), 255 }; }

// "1 sound", "2 sounds".
CString Count(size_t n, const char* pszWhat)
{
    CString strCount;
    strCount.Format("%d %s%s", (int)n, pszWhat, n == 1 ? "" : "s");
    return strCount;
}

// The full form of a path; empty when the system cannot make one.
CString FullPath(const char* pszPath)
{
    char szFull[MAX_PATH];
    DWORD nLength = ::GetFullPathNameA(pszPath, MAX_PATH, szFull, NULL);
    return nLength == 0 || nLength >= MAX_PATH ? CString() : CString(szFull, (int)nLength);
}

// The folder of a full path, with its closing backslash.
CString FolderOf(const CString& strPath) { return strPath.Left(strPath.ReverseFind('\\') + 1); }

// The files of one kind (images or sounds) of the package, "<folder>/<n><extension>",
// each kept once: bytes seen before give the id of the file that holds them.
class CPackageFiles
{
public:
    CPackageFiles(const char* pszFolder, const char* pszExtension)
        : m_pszFolder(pszFolder), m_pszExtension(pszExtension)
    {
    }

    // The id of the file of these bytes; its path is PathOf(id).
    std::string Add(std::vector<BYTE> bytes)
    {
        auto found = m_ids.find(bytes);
        if (found != m_ids.end())
            return found->second;
        std::string id = std::to_string(m_files.size() + 1);
        m_files.push_back(obf::PackageFile{ PathOf(id), bytes });
        m_ids.emplace(std::move(bytes), id);
        return id;
    }
    std::string PathOf(const std::string& id) const { return m_pszFolder + ("/" + id) + m_pszExtension; }
    const std::vector<obf::PackageFile>& Files() const { return m_files; }

private:
    const char* m_pszFolder;
    const char* m_pszExtension;
    std::map<std::vector<BYTE>, std::string> m_ids;
    std::vector<obf::PackageFile> m_files;
};

// A document reached from the exported board, and what became of it.
struct Document
{
    CString strPath;        // full
    CString strRelative;    // to the exported board's folder
    BOOL bBoard = FALSE;    // read as a board, and a board of the package
    CString strWhy;         // why not, when it is not
    size_t nBoard = 0;      // its board in the package
    CString strName;        // the board's name
};

// A button that opens another document: its load_board is filled in once every board
// was read, when the target's name is known.
struct Link
{
    size_t nFrom;                   // the document of the button
    size_t nBoard;
    size_t nButton;
    std::optional<size_t> target;   // the document; none when the link leads to none
    CString strChoice;
    CString strBoard;               // as the choice's link gives it
    CString strWhy;                 // why it leads to no board of the package
};

class CBoardExport
{
public:
    CBoardExport(const char* pszDoc, const char* pszOut);

    // Reads every board and writes the package; fails, saying that OUT was not written.
    void Run();

private:
    // The index of the document at the full path, added to those to read when new.
    size_t Reach(const CString& strPath);
    // The full path of the document that a link names from the board in strFolder, or
    // empty, with strWhy saying why, when it names none within the exported folder.
    CString Follow(const CString& strFolder, const CString& strBoard, CString& strWhy) const;
    void ReadDocument(size_t nDocument);
    void AddBoard(size_t nDocument, const BoardContents& contents);
    obf::Button ButtonOf(const BoardChoice& choice, obf::Board& board);
    std::string ImageOf(CPicture* pPicture, obf::Board& board);
    std::string SoundOf(CWav* pWav, obf::Board& board);
    void ResolveLinks();
    void Report() const;
    void Write(const std::vector<uint8_t>& package) const;

    const char* m_pszDoc;
    const char* m_pszOut;
    CString m_strFolder;                    // the exported board's folder, full, with its backslash
    std::vector<Document> m_documents;      // the exported board first
    std::set<std::string> m_ids;            // the boards' ids
    std::vector<obf::PackageBoard> m_boards;
    std::vector<Link> m_links;
    CPackageFiles m_images;
    CPackageFiles m_sounds;
};

CBoardExport::CBoardExport(const char* pszDoc, const char* pszOut)
    : m_pszDoc(pszDoc), m_pszOut(pszOut), m_images("images", ".png"), m_sounds("sounds", ".wav")
{
}

void CBoardExport::Run()
{
    CString strDoc = FullPath(m_pszDoc);
    if (strDoc.IsEmpty())
        Fail("%s: not a path to a file", m_pszDoc);
    m_strFolder = FolderOf(strDoc);
    Reach(strDoc);
    std::vector<uint8_t> package;
    try
    {
        // Reading a board may reach more documents.
        for (size_t i = 0; i < m_documents.size(); ++i)
            ReadDocument(i);
        ResolveLinks();
        obf::PackageContents contents{ m_boards, m_images.Files() };
        contents.files.insert(contents.files.end(), m_sounds.Files().begin(), m_sounds.Files().end());
        package = obf::WritePackage(contents);
    }
    catch (const obf::Error& error)
    {
        Fail("%s; %s was not written", error.what(), m_pszOut);
    }
    catch (ToolError& error)
    {
        Fail("%s; %s was not written", (LPCSTR)error.m_strMessage, m_pszOut);
    }
    catch (CException* e)
    {
        CString strWhy = ToolExceptionText(e);
        e->Delete();
        Fail("%s; %s was not written", (LPCSTR)strWhy, m_pszOut);
    }
    Write(package);
    Report();
}

size_t CBoardExport::Reach(const CString& strPath)
{
    // File names are the same whatever their case.
    for (size_t i = 0; i < m_documents.size(); ++i)
    {
        if (m_documents[i].strPath.CompareNoCase(strPath) == 0)
            return i;
    }
    Document document;
    document.strPath = strPath;
    document.strRelative = strPath.Mid(m_strFolder.GetLength());
    m_documents.push_back(document);
    return m_documents.size() - 1;
}

CString CBoardExport::Follow(const CString& strFolder, const CString& strBoard, CString& strWhy) const
{
    const CString strPath = strBoard.Find(':') < 0 && strBoard[0] != '\\' && strBoard[0] != '/'
                                ? FullPath(strFolder + strBoard)
                                : CString();
    if (strPath.IsEmpty())
    {
        strWhy = "which is no path relative to the board's folder";
        return CString();
    }
    if (strPath.Left(m_strFolder.GetLength()).CompareNoCase(m_strFolder) != 0)
    {
        strWhy.Format("which lies outside the folder of %s", m_pszDoc);
        return CString();
    }
    const DWORD dwAttributes = ::GetFileAttributesA(strPath);
    if (dwAttributes == INVALID_FILE_ATTRIBUTES || (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    {
        strWhy = "which does not exist";
        return CString();
    }
    return strPath;
}

// The exported board itself fails the export when it cannot be read; a board that a
// link reaches is left out, and the link with it.
void CBoardExport::ReadDocument(size_t nDocument)
{
    const CString strPath = m_documents[nDocument].strPath;
    CString strUnread;      // why the file could not be read
    CString strNoBoard;     // why what it holds is no board
    CHoard hoard;
    std::unique_ptr<CWndContainer> pRoot;
    BoardContents contents;
    try
    {
        if (CToolFile::CheckFile(strPath))
            pRoot.reset(CMainContainerRecord::LoadFile(strPath, hoard));
        else
            strNoBoard = "it is a resource file, not a screen document";
    }
    catch (ToolError& error)
    {
        strUnread = error.m_strMessage;
    }
    catch (CException* e)
    {
        strUnread = ToolExceptionText(e);
        e->Delete();
    }
    if (strUnread.IsEmpty() && strNoBoard.IsEmpty() && ReadBoard(pRoot.get(), hoard, contents, strNoBoard))
    {
        try
        {
            AddBoard(nDocument, contents);
        }
        catch (ToolError& error)
        {
            Fail("%s: %s", (LPCSTR)strPath, (LPCSTR)error.m_strMessage);
        }
        return;
    }
    if (nDocument == 0)
    {
        if (!strUnread.IsEmpty())
            Fail("%s", (LPCSTR)strUnread);
        Fail("%s is not a board: %s", m_pszDoc, (LPCSTR)strNoBoard);
    }
    m_documents[nDocument].strWhy =
        strUnread.IsEmpty() ? "which is not a board: " + strNoBoard : "which cannot be read: " + strUnread;
}

// The board's id is the document's path without its extension, numbered when another
// board has it; its name the title, or the document's name without one.
void CBoardExport::AddBoard(size_t nDocument, const BoardContents& contents)
{
    CString strStem = m_documents[nDocument].strRelative;
    const int nDot = strStem.ReverseFind('.');
    if (nDot > strStem.ReverseFind('\\'))
        strStem = strStem.Left(nDot);
    strStem.Replace('\\', '/');
    std::string id = Utf8Of(strStem);
    for (int n = 2; !m_ids.insert(id).second; ++n)
        id = Utf8Of(strStem) + "-" + std::to_string(n);

    obf::Board board;
    board.id = id;
    const CString strName =
        contents.strTitle.IsEmpty() ? strStem.Mid(strStem.ReverseFind('/') + 1) : contents.strTitle;
    board.name = Utf8Of(strName);
    size_t nColumns = 0;
    for (const auto& row : contents.rows)
        nColumns = std::max(nColumns, row.size());
    if (contents.rows.size() * nColumns > obf::kMaxGridCells || contents.rows.size() > obf::kMaxGridSide ||
        nColumns > obf::kMaxGridSide)
        Fail("%s has %d rows of up to %d cells, more than a board package holds (%d a side, %d cells)",
             (LPCSTR)m_documents[nDocument].strRelative, (int)contents.rows.size(), (int)nColumns, obf::kMaxGridSide,
             obf::kMaxGridCells);
    board.grid.rows = (int)contents.rows.size();
    board.grid.columns = (int)nColumns;
    const size_t nBoard = m_boards.size();
    for (const auto& row : contents.rows)
    {
        auto& order = board.grid.order.emplace_back(nColumns);
        for (size_t c = 0; c < row.size(); ++c)
        {
            if (!row[c])
                continue;
            const BoardChoice& choice = *row[c];
            obf::Button button = ButtonOf(choice, board);
            if (!choice.strBoard.IsEmpty())
            {
                Link link{ nDocument,      nBoard,          board.buttons.size(), std::nullopt,
                           choice.strName, choice.strBoard, CString() };
                const CString strTarget = Follow(FolderOf(m_documents[nDocument].strPath), choice.strBoard,
                                                 link.strWhy);
                if (!strTarget.IsEmpty())
                    link.target = Reach(strTarget);
                m_links.push_back(link);
            }
            order[c] = button.id;
            board.buttons.push_back(std::move(button));
        }
    }
    // Reaching documents may have moved the vector.
    Document& document = m_documents[nDocument];
    document.bBoard = TRUE;
    document.nBoard = nBoard;
    document.strName = strName;
    m_boards.push_back(obf::PackageBoard{ "boards/" + id + ".obf", std::move(board) });
}

obf::Button CBoardExport::ButtonOf(const BoardChoice& choice, obf::Board& board)
{
    obf::Button button;
    button.id = std::to_string(board.buttons.size() + 1);
    button.label = Utf8Of(choice.strName);
    button.background_color = ColorOf(choice.crFill);
    button.border_color = ColorOf(choice.crFrame);
    if (auto* pPicture = DYNAMIC_DOWNCAST(CPicture, choice.pPicture))
        button.image_id = ImageOf(pPicture, board);
    if (auto* pWav = DYNAMIC_DOWNCAST(CWav, choice.pSound))
        button.sound_id = SoundOf(pWav, board);
    return button;
}

// The picture as a board shows it: a bitmap element keeps at most 16 bits, so that a
// Macintosh picture, which the media library converts to 24 bits, shows in 16 once its
// first draw has made it a bitmap element.
HGLOBAL ShownPictureDIB(CPicture* pPicture)
{
    HGLOBAL hDIB = ExportedPictureDIB(pPicture);
    DIBINFO info;
    if (!ValidateDIBHandle(hDIB, &info) || info.wBitCount <= 16)
        return hDIB;
    HGLOBAL hShown = ChangeDIBFormat(hDIB, 16, BI_RGB, NULL);
    ::GlobalFree(hDIB);
    if (hShown == NULL)
        AfxThrowMemoryException();
    return hShown;
}

std::string CBoardExport::ImageOf(CPicture* pPicture, obf::Board& board)
{
    HGLOBAL hDIB = ShownPictureDIB(pPicture);
    CMemFile file;
    BOOL bWritten = FALSE;
    DIBINFO info = {};
    try
    {
        bWritten = ValidateDIBHandle(hDIB, &info) && WriteImageFile(file, hDIB, IMAGE_PNG);
    }
    catch (...)
    {
        ::GlobalFree(hDIB);
        throw;
    }
    ::GlobalFree(hDIB);
    if (!bWritten)
        Fail("picture \"%s\" cannot be written as a PNG image: the system's encoder failed",
             (LPCSTR)pPicture->GetName());
    std::string id = m_images.Add(MemoryFileBytes(file));
    if (board.FindImage(id) == NULL)
        board.images.push_back(obf::Image{ id, "", m_images.PathOf(id), "", std::nullopt, "image/png",
                                           (int)info.nWidth, (int)info.nHeight });
    return id;
}

std::string CBoardExport::SoundOf(CWav* pWav, obf::Board& board)
{
    std::string id = m_sounds.Add(SoundFileBytes(pWav));
    if (board.FindSound(id) == NULL)
        board.sounds.push_back(obf::Sound{ id, "", m_sounds.PathOf(id), "", "audio/wav" });
    return id;
}

void CBoardExport::ResolveLinks()
{
    for (Link& link : m_links)
    {
        if (!link.target)
            continue;
        const Document& target = m_documents[*link.target];
        if (!target.bBoard)
        {
            link.strWhy = target.strWhy;
            link.target.reset();
            continue;
        }
        const obf::PackageBoard& opened = m_boards[target.nBoard];
        m_boards[link.nBoard].board.buttons[link.nButton].load_board =
            obf::LoadBoard{ opened.board.id, opened.path, "", opened.board.name };
    }
}

// A line for each board, then one for each link left out.
void CBoardExport::Report() const
{
    for (const Document& document : m_documents)
    {
        if (!document.bBoard)
            continue;
        const obf::Board& board = m_boards[document.nBoard].board;
        const size_t nLinks = std::count_if(board.buttons.begin(), board.buttons.end(),
                                            [](const obf::Button& button) { return button.load_board.has_value(); });
        CString strLine;
        strLine.Format("board \"%s\" from %s: %s, %s, %s, %s\n", (LPCSTR)document.strName,
                       (LPCSTR)document.strRelative, (LPCSTR)Count(board.buttons.size(), "button"),
                       (LPCSTR)Count(board.images.size(), "image"), (LPCSTR)Count(board.sounds.size(), "sound"),
                       (LPCSTR)Count(nLinks, "link"));
        fputs(InUserTerms(strLine), stdout);
    }
    for (const Link& link : m_links)
    {
        if (link.target)
            continue;
        CString strLine;
        strLine.Format("choice \"%s\" of %s keeps no link: it opens %s, %s\n", (LPCSTR)link.strChoice,
                       (LPCSTR)m_documents[link.nFrom].strRelative,
                       (LPCSTR)link.strBoard, (LPCSTR)link.strWhy);
        fputs(InUserTerms(strLine), stdout);
    }
}

// The package goes to a temporary file beside OUT, which then takes OUT's place: OUT
// changes only once the package was written whole.
void CBoardExport::Write(const std::vector<uint8_t>& package) const
{
    const CString strOut = FullPath(m_pszOut);
    char szTemporary[MAX_PATH];
    if (strOut.IsEmpty() || ::GetTempFileNameA(FolderOf(strOut), "obz", 0, szTemporary) == 0)
        Fail("cannot make a file in the folder of %s; %s was not written", m_pszOut, m_pszOut);
    try
    {
        CFile file(szTemporary, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
        file.Write(package.data(), (UINT)package.size());
        file.Close();
    }
    catch (CException* e)
    {
        CString strWhy = ToolExceptionText(e);
        e->Delete();
        ::DeleteFileA(szTemporary);
        Fail("%s; %s was not written", (LPCSTR)strWhy, m_pszOut);
    }
    if (!::MoveFileExA(szTemporary, strOut, MOVEFILE_REPLACE_EXISTING))
    {
        ::DeleteFileA(szTemporary);
        Fail("%s cannot be replaced (it may be open in another program); it was not written", m_pszOut);
    }
}

} // namespace

int ExportBoard(int argc, char** argv)
{
    CheckPackageName(argv[1]);
    CBoardExport(argv[0], argv[1]).Run();
    return 0;
}
