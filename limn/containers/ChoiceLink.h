// CChoiceLink: the resources of one choice of a screen, a resource of type "CChoiceLink"
// named as the choice's container. A screen's tree keeps only names, and names alone do
// not last: a picture or sound may get a numbered name when its file's name is taken,
// and saving merges identical resources of a type into the first of them, so that a
// choice's sound may go on under another choice's name. The link points at the
// choice's picture and sound and follows them through merging and renaming; its file
// record names them as they are when it is written, which is after the merge.
//
// A link may also name another board, a screen document that selecting the choice
// opens, by the document's file name relative to the board's own folder.
//
// Record: the resource's name, a version word (1), then the picture's name, the
// sound's name and the linked board's file name, each empty when there is none.
// Programs that do not know the type skip its block whole, which the file writes after
// all others, and show the choice by its name as before.
#pragma once

#include "limn/limn_api.h"

#include "hoard/resources/Resource.h"
#include "hoard/resources/ResourceClass.h"
#include "hoard/resources/ResourcePtr.h"


class CHoard;

class LIMN_API CChoiceLinkClass : public CResourceClass
{
public:
    // Links are written last: programs that do not know them skip their block.
    explicit CChoiceLinkClass(CRuntimeClass* pRuntimeClass) : CResourceClass(pRuntimeClass) { m_bWrittenLast = TRUE; }
};

class LIMN_API CChoiceLink : public CResource
{
    DECLARE_SERIAL(CChoiceLink)
protected:
    CChoiceLink();

public:
    // A new link in hoard named pszName, made unique as every new resource is.
    static CChoiceLink* New(CHoard& hoard, const char* pszName);
    // The link of the choice named pszName in hoard; null when it has none.
    static CChoiceLink* Find(CHoard& hoard, const char* pszName);
    // What the choice named pszChoice shows (pszType "CPicture") or plays ("CWav"): its
    // link's picture or sound, or else, without a link or where the link names none,
    // the resource of the choice's name. Null when there is neither.
    static CResource* ResourceOf(CHoard& hoard, const char* pszChoice, const char* pszType);
    // Points every link of hoard that was read from a file at the resources that its
    // record names, so that a later merge of identical resources carries them along.
    // Reading a document does this once its resources were read whole.
    static void ResolveAll(CHoard& hoard);

    // The picture and the sound, null when there is none or it was deleted.
    CResource* GetPicture();
    CResource* GetSound();
    void SetPicture(CResource* pPicture);
    void SetSound(CResource* pSound);
    // The linked board's file name; empty when the choice links to none.
    const CString& GetBoard() const { return m_strBoard; }
    void SetBoard(const char* pszBoard) { m_strBoard = pszBoard; }

    CResourceClass* GetResourceClass() override { return &m_resInfo; }
    void Serialize(CArchive& ar) override;

private:
    // A pointer that follows its target through merging without counting as a use.
    class CTarget : public CResourcePtrBase
    {
    public:
        CTarget() : CResourcePtrBase(NULL, FALSE) {}
        using CResourcePtrBase::operator=;
        CResource* Get() const { return GetResourcePtr(); }
    };

    // The target that pTarget names, looked up by the name a file gave it until then.
    CResource* Resolve(CTarget& target, CString& strPending, const char* pszType);
    static CString NameOf(const CTarget& target, const CString& strPending);

    CTarget m_picture;
    CTarget m_sound;
    CString m_strPendingPicture;    // the names read from a file, until resolved
    CString m_strPendingSound;
    CString m_strBoard;

    static CChoiceLinkClass m_resInfo;
};
