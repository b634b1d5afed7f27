// The container messages' destructors, which anchor their run-time type information.
#include "limn/containers/ContainerMessages.h"

MsgContainerSelected::~MsgContainerSelected() = default;

MsgWindowResized::~MsgWindowResized() = default;

MsgEditChar::~MsgEditChar() = default;

MsgFocusChange::~MsgFocusChange() = default;

MsgValueChange::~MsgValueChange() = default;
