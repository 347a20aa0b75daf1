#pragma once

#include <QString>
#include <memory>

#include <SDL.h>
#include <SDL_mixer.h>

// SDL2_mixer and SDL2, loaded when the first sound is needed rather than
// with the program: together with the libraries they bring (codecs, the
// sound servers' clients) they would add some 4 MiB to a clock that may
// never sound. The functions the sound device calls, found once loaded.
class SdlLibrary {
public:
    // Loads the libraries; null, with the reason, when they cannot be.
    static std::unique_ptr<SdlLibrary> load(QString* error);
    ~SdlLibrary();
    SdlLibrary(const SdlLibrary&) = delete;
    SdlLibrary& operator=(const SdlLibrary&) = delete;

    decltype(&::SDL_SetHint) SetHint = nullptr;
    decltype(&::SDL_InitSubSystem) InitSubSystem = nullptr;
    decltype(&::SDL_QuitSubSystem) QuitSubSystem = nullptr;
    decltype(&::SDL_GetError) GetError = nullptr;
    decltype(&::Mix_Init) Init = nullptr;
    decltype(&::Mix_Quit) Quit = nullptr;
    decltype(&::Mix_OpenAudio) OpenAudio = nullptr;
    decltype(&::Mix_CloseAudio) CloseAudio = nullptr;
    decltype(&::Mix_HookMusicFinished) HookMusicFinished = nullptr;
    decltype(&::Mix_LoadMUS) LoadMUS = nullptr;
    decltype(&::Mix_FreeMusic) FreeMusic = nullptr;
    decltype(&::Mix_PlayMusic) PlayMusic = nullptr;
    decltype(&::Mix_HaltMusic) HaltMusic = nullptr;
    decltype(&::Mix_PlayingMusic) PlayingMusic = nullptr;
    decltype(&::Mix_RewindMusic) RewindMusic = nullptr;
    decltype(&::Mix_SetMusicPosition) SetMusicPosition = nullptr;
    decltype(&::Mix_GetMusicPosition) GetMusicPosition = nullptr;

private:
    SdlLibrary() = default;
    void* m_sdl = nullptr;
    void* m_mixer = nullptr;
};
