// TSongManager: the song cache, the music handle TAudioStream and playMusicStream.
#pragma once

#include "platform/Audio.h"
#include "services/TList.h"

#include <memory>
#include <string>

namespace vsm {

// One cached song.
class TMusicFile {
  public:
    std::string name; // cache key, compared exactly
    int isLoaded = 0; // 1 once loading was attempted, whether or not it worked
    SoundPtr s;       // null when loading failed
    ChannelPtr c;     // channel of the song's latest start; null when that start played nothing
};
using MusicFilePtr = std::shared_ptr<TMusicFile>;

// The cache of every song played or preloaded during the run.
class TSongManager {
  public:
    TList<TMusicFile> songsList; // in load order; songs stay for the whole run

    // Starts the song (loading it first when not cached) at the music level x volume; a start of
    // a song that still has a channel stops that channel first. Returns the cache entry.
    MusicFilePtr playSong(const std::string& name, int flags, float volume);
    // Returns the entry cached under exactly this name, or null.
    MusicFilePtr findSong(const std::string& name);
    // Returns the cached entry, or loads the song (flags: SOUND_LOOP loops) from bDir + name, or
    // from name itself when only that exists, and caches it; a failed load is cached without a
    // sound and not retried.
    MusicFilePtr loadSong(const std::string& name, int flags);
};
extern TSongManager songManager;

// A screen's handle on its song; it acts on the channel of the shared cache entry.
class TAudioStream {
  public:
    MusicFilePtr mf;

    // Pauses the song's channel, if any.
    void pause();
    // Stops the song's channel, if any.
    void stop();
    // Does nothing; the song stays cached.
    void free();
    // Resumes the song's channel, or starts the song at the music level when it has none.
    void play();
    // Does nothing; screens call it every frame.
    void update();
    // Sets the channel's volume to v cut down to tenths; with no channel starts the song at the
    // music level instead (how a song silenced by level 0 starts once the level rises).
    void setVolume(float v);
};
using AudioStreamPtr = std::shared_ptr<TAudioStream>;

// Starts a song and returns a new handle on it. The file is taken as named when it exists there
// or under bDir, else from myDocsFolder + "/custom-art/" under its bare name, else a random
// "sfx/game-song-N.ogg" (N 1..7). loop 1 loops (at the song's first load only).
AudioStreamPtr playMusicStream(const std::string& file, int loop, float volume);
// stream->setVolume(volume); a null stream does nothing.
void SetStreamVolume(const AudioStreamPtr& stream, float volume);
// Returns 0; nothing to set up.
int InitMaxModStream();

} // namespace vsm
