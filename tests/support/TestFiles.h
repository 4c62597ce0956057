// Files for tests: temporary directories, reading and writing bytes,
// building interchanges from segment texts, and running a program.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace trelvane::test {

// Paths are in the system's own form (UTF-8 on Windows), as the program
// holds them; this is how std::filesystem takes them.
std::filesystem::path FsPath(const std::string& path);

// A fresh directory under the system's temporary directory.
std::string MakeTempDir();
void RemoveTree(const std::string& path);
// Copies the project's parametres.ini and reference tables into dir.
void CopyDataFiles(const std::string& dir);

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);

// Joins segment texts with "'" after each: {"UNA:+,? ", "UNB+..."} -> "UNA:+,? 'UNB+...'".
std::string Interchange(const std::vector<std::string>& segments);

// Utf-8 literal to the Windows-1252 bytes the core works on.
std::string W(std::string_view utf8);
std::string U(std::string_view cp1252);

// Runs a command line through the system's shell and returns its exit
// status (-1 when it did not end normally).
int RunCommand(const std::string& command);
// A path in quotes, for a command line.
std::string Quoted(const std::string& path);

}  // namespace trelvane::test
