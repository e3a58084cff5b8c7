#pragma once
// Bytes as tests compare them: whole files, and strings shown as hexadecimal.
#include <filesystem>
#include <string>

// The whole file, byte for byte; "" when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);
// Creates or empties the file, then writes the bytes.
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
// Upper-case hexadecimal pairs separated by spaces: "52 49 46 46".
std::string Hex(const std::string& bytes);
