// Whole files read and written, for the inputs and the corpus.
#pragma once

#include <string>
#include <vector>

// The file's bytes, "" when it cannot be read.
std::string FileBytes(const std::string& path);
// Writes the bytes, making the folders on the way; false when the file could not be written.
bool WriteBytes(const std::string& path, const std::string& bytes);
// The files matching a pattern ("folder\\*.ext"), full paths, sorted.
std::vector<std::string> FilesMatching(const std::string& pattern);
