// The places of reloadable blocks while a hoard is saved, the file that unread blocks
// are copied from, and the detaching of blocks from a file that their hoard stops
// naming.
#include "hoard/data/ReloadableData.h"

struct CReloadableData::CSavedPlace
{
    CReloadableData* pData;
    CString* pFileReference;
    const CObject* pOwner;
    DWORD dwFilePos;
    DWORD dwStoredSize;
};

CList<CReloadableData::CSavedPlace, const CReloadableData::CSavedPlace&>
    CReloadableData::m_listSavedPlaces(10);

void CReloadableData::RememberPlace()
{
    m_listSavedPlaces.AddTail(CSavedPlace{ this, m_pFileReference, m_pOwner, m_dwFilePos, m_dwStoredSize });
}

void CReloadableData::ForgetPlace()
{
    for (POSITION pos = m_listSavedPlaces.GetHeadPosition(); pos != NULL;)
    {
        POSITION posThis = pos;
        if (m_listSavedPlaces.GetNext(pos).pData == this)
            m_listSavedPlaces.RemoveAt(posThis);
    }
}

void CReloadableData::CommitSave() { m_listSavedPlaces.RemoveAll(); }

void CReloadableData::AbandonSave()
{
    // Newest first, so that a block written twice ends at its first place.
    while (!m_listSavedPlaces.IsEmpty())
    {
        CSavedPlace place = m_listSavedPlaces.RemoveTail();
        place.pData->m_pFileReference = place.pFileReference;
        place.pData->m_pOwner = place.pOwner;
        place.pData->m_dwFilePos = place.dwFilePos;
        place.pData->m_dwStoredSize = place.dwStoredSize;
    }
}

// The blocks of a hoard mostly lie in one file: it stays open from one block's copy
// to the next, which spares an open and a close for every block.
CFile CReloadableData::m_copySource;
CString CReloadableData::m_strCopySource;
CTempMem<BYTE> CReloadableData::m_copyPiece;

CFile* CReloadableData::OpenCopySource() const
{
    if (m_pFileReference == NULL)
        return NULL;
    if (m_copySource.m_hFile != CFile::hFileNull && m_strCopySource != *m_pFileReference)
        EndCopying();
    if (m_copySource.m_hFile == CFile::hFileNull)
    {
        if (!m_copySource.Open(*m_pFileReference, CFile::modeRead | CFile::shareDenyWrite))
            return NULL;
        m_strCopySource = *m_pFileReference;
    }
    return SeekStored(m_copySource, m_dwStoredSize, NULL) ? &m_copySource : NULL;
}

void CReloadableData::EndCopying()
{
    if (m_copySource.m_hFile != CFile::hFileNull)
        m_copySource.Abort();
    m_copyPiece.FreeAll();
}

void CReloadableData::DetachFromFile(const CString* pFileReference, const CObject* pOwner)
{
    for (POSITION pos = m_listFreeable.GetHeadPosition(); pos != NULL;)
    {
        auto* pData = dynamic_cast<CReloadableData*>(static_cast<CFreeable*>(m_listFreeable.GetNext(pos)));
        if (pData == NULL || pData->m_pFileReference != pFileReference ||
            (pOwner != NULL && pData->m_pOwner != pOwner))
            continue;
        // Reading a block freshens it; the walk goes on from the entry noted before.
        if (pData->m_dwSize != 0)
        {
            pData->LockOrThrow();
            pData->Unlock();
        }
        pData->m_pFileReference = NULL;
        pData->m_pOwner = NULL;
        pData->m_dwStoredSize = 0;
    }
}
