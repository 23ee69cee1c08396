// The movie players as a server: the three controls, created by the ProgIDs the program asks for.
#include "com/ClassTable.h"

#include "components/players/win32/FlashPlayer.h"
#include "components/players/win32/MediaPlayer.h"
#include "components/players/win32/PlayersIdl.h"
#include "components/players/win32/ShockwavePlayer.h"

namespace zvcom {

namespace {

const ClassEntry kClasses[] = {
    {&CLSID_FlashPlayer, &IID_IFlashPlayer, &DIID_IFlashPlayerEvents, L"FlashPlayer",
     L"ShockwaveFlash.ShockwaveFlash.1", true, 0, &players::FlashPlayer::CreateInstance,
     L"ShockwaveFlash.ShockwaveFlash"},
    {&CLSID_ShockwavePlayer, &IID_IShockwavePlayer, &DIID_IShockwavePlayerEvents, L"ShockwavePlayer",
     L"SWCtl.SWCtl.8.5", true, 0, &players::ShockwavePlayer::CreateInstance, L"SWCtl.SWCtl"},
    {&CLSID_MediaPlayer, &IID_IMediaPlayer, &DIID_IMediaPlayerEvents, L"MediaPlayer", L"MediaPlayer.MediaPlayer.1",
     true, 0, &players::MediaPlayer::CreateInstance, L"MediaPlayer.MediaPlayer"},
};

}  // namespace

const ServerDefinition& Server() {
    static const ServerDefinition server{L"Players", kClasses};
    return server;
}

}  // namespace zvcom
