orlatim_test(NAME test_sound_files SOURCES test_sound_files.cpp LIBS platform Qt6::Widgets)
orlatim_test(NAME test_sound_players SOURCES test_sound_players.cpp LIBS platform Qt6::Widgets SOUND)
