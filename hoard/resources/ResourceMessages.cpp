// The resource messages' destructors, which anchor their run-time type information
// in hoard.dll so that down-casts agree across modules.
#include "hoard/resources/ResourceMessages.h"

MsgAddedResource::~MsgAddedResource() = default;
MsgRenamedResource::~MsgRenamedResource() = default;
MsgEditedResource::~MsgEditedResource() = default;
MsgDeletingResource::~MsgDeletingResource() = default;
MsgDeletedResource::~MsgDeletedResource() = default;
MsgSavedResource::~MsgSavedResource() = default;
