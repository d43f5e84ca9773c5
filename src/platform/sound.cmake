# Sounds are decoded by libsndfile (sampled files) and FluidSynth (MIDI),
# held whole or streamed from their files, and played through SDL_mixer.
pkg_check_modules(SNDFILE REQUIRED IMPORTED_TARGET sndfile)
pkg_check_modules(FLUIDSYNTH REQUIRED IMPORTED_TARGET fluidsynth)
target_sources(platform PRIVATE
  sound_players.h
  sound_files.cpp sound_files.h
  sound_sources.cpp sound_sources.h
  sound_decoding.cpp sound_decoding.h
  sound_stream.cpp sound_stream.h
  sound_messages.cpp sound_messages.h
  sdl_players.cpp sdl_players.h
)
target_link_libraries(platform PRIVATE PkgConfig::SDL2_MIXER PkgConfig::SNDFILE PkgConfig::FLUIDSYNTH)
