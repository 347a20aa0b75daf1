#include "sound/SdlLibrary.h"

#include <dlfcn.h>

#include <cstring>

namespace {
// The run-time names of the libraries the program is built against.
constexpr const char* kSdl = "libSDL2-2.0.so.0";
constexpr const char* kMixer = "libSDL2_mixer-2.0.so.0";

template <class F>
void find(void* library, const char* name, F& function, QString* missing) {
    void* symbol = dlsym(library, name);
    static_assert(sizeof symbol == sizeof function);
    std::memcpy(&function, &symbol, sizeof symbol);
    if (!symbol && missing->isEmpty()) *missing = QString::fromLatin1(name);
}
}  // namespace

std::unique_ptr<SdlLibrary> SdlLibrary::load(QString* error) {
    std::unique_ptr<SdlLibrary> lib(new SdlLibrary);
    lib->m_sdl = dlopen(kSdl, RTLD_NOW | RTLD_LOCAL);
    lib->m_mixer = lib->m_sdl ? dlopen(kMixer, RTLD_NOW | RTLD_LOCAL) : nullptr;
    if (!lib->m_mixer) {
        if (error)
            *error = QStringLiteral("the sound library cannot be loaded: ") +
                     QString::fromLocal8Bit(dlerror());
        return nullptr;
    }
    QString missing;
    void* sdl = lib->m_sdl;
    void* mix = lib->m_mixer;
    find(sdl, "SDL_SetHint", lib->SetHint, &missing);
    find(sdl, "SDL_InitSubSystem", lib->InitSubSystem, &missing);
    find(sdl, "SDL_QuitSubSystem", lib->QuitSubSystem, &missing);
    find(sdl, "SDL_GetError", lib->GetError, &missing);
    find(mix, "Mix_Init", lib->Init, &missing);
    find(mix, "Mix_Quit", lib->Quit, &missing);
    find(mix, "Mix_OpenAudio", lib->OpenAudio, &missing);
    find(mix, "Mix_CloseAudio", lib->CloseAudio, &missing);
    find(mix, "Mix_HookMusicFinished", lib->HookMusicFinished, &missing);
    find(mix, "Mix_LoadMUS", lib->LoadMUS, &missing);
    find(mix, "Mix_FreeMusic", lib->FreeMusic, &missing);
    find(mix, "Mix_PlayMusic", lib->PlayMusic, &missing);
    find(mix, "Mix_HaltMusic", lib->HaltMusic, &missing);
    find(mix, "Mix_PlayingMusic", lib->PlayingMusic, &missing);
    find(mix, "Mix_RewindMusic", lib->RewindMusic, &missing);
    find(mix, "Mix_SetMusicPosition", lib->SetMusicPosition, &missing);
    find(mix, "Mix_GetMusicPosition", lib->GetMusicPosition, &missing);
    if (!missing.isEmpty()) {
        if (error) *error = QStringLiteral("the sound library lacks %1").arg(missing);
        return nullptr;
    }
    return lib;
}

// The libraries stay loaded to the end of the process: unloading libraries
// that have started threads and registered handlers of their own is not safe.
SdlLibrary::~SdlLibrary() = default;
