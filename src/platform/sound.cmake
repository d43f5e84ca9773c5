target_sources(platform PRIVATE
  sound_players.h
  sound_files.cpp sound_files.h
  sdl_players.cpp sdl_players.h
)
target_link_libraries(platform PRIVATE PkgConfig::SDL2_MIXER)
