#include "shell/host.h"

#include "core/sounds.h"
#include "world/game.h"

void LoadSounds(Platform& device) {
  for (int i = 0; i < SoundSlotCount; ++i) device.LoadSound(i, SoundNames[i]);
}

void DeliverOutputs(Host& host, Game& g, bool frameRan) {
  FrameOutput& out = g.Harness;
  if (host.Device) {
    if (frameRan)
      for (int slot : out.SoundsThisFrame) host.Device->PlaySound(slot);
    for (const MusicCall& call : out.MusicCalls) {
      switch (call.Kind) {
        case MusicCall::Load: host.Device->LoadMusic(call.Track); break;
        case MusicCall::Play: host.Device->PlayMusic(); break;
        case MusicCall::Stop: host.Device->StopMusic(); break;
        case MusicCall::SetVolume: host.Device->SetMusicVolume(call.Volume); break;
      }
    }
  }
  out.MusicCalls.clear();
  if (out.SaveWanted) {
    host.Save.Save(*out.SaveWanted);
    out.SaveWanted.reset();
  }
}
