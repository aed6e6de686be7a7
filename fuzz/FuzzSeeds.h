// The starting inputs of each fuzzing target: the real generated files of
// the game folder, in the form the target takes them, plus what the folder
// does not hold (a save, the settings file, the bitmap depths the game's own
// pictures do not use). Each returns how many seeds it wrote.
#pragma once

#include <string>

int writeSaveSeeds(const std::string& gameDir, const std::string& outDir);
int writeDataFileSeeds(const std::string& gameDir, const std::string& outDir);
int writeTextTableSeeds(const std::string& gameDir, const std::string& outDir);
int writeMapSeeds(const std::string& gameDir, const std::string& outDir);
int writeCourseSeeds(const std::string& gameDir, const std::string& outDir);
int writeWaveSeeds(const std::string& gameDir, const std::string& outDir);
int writeBitmapSeeds(const std::string& gameDir, const std::string& outDir);
int writeXMeshSeeds(const std::string& gameDir, const std::string& outDir);
int writeSongSeeds(const std::string& gameDir, const std::string& outDir);
int writeDialogueSeeds(const std::string& gameDir, const std::string& outDir);
int writeConfigSeeds(const std::string& gameDir, const std::string& outDir);
