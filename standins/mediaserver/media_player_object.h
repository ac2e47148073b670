// The media-player object that clients reach by member name: each member is one call on
// the object's Player.
#pragma once

#include "dispatch_object.h"
#include "player.h"

class MediaPlayerObject : public DispatchObject {
public:
    MediaPlayerObject();

protected:
    HRESULT Call(DISPID id, WORD kind, const DispatchArguments& arguments, VARIANT* result) override;

private:
    HRESULT CallWithArguments(DISPID id, WORD kind, const DispatchArguments& arguments, VARIANT* result);
    HRESULT Frame(VARIANT* result);

    Player player_;
};
