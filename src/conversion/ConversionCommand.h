// What the conversion command does with a tested file: an FNS3 file when it
// has no syntax error and only warnings, an error report (CR) file otherwise.
#pragma once

#include <string>
#include <string_view>

namespace trelvane {

// No syntax error record, every content error a warning (as counted by the
// last content report), and no dossier whose conversion failed.
bool IsFileConvertible();

enum class ConversionResult { Fns3Written, ReportWritten, Failed };
struct ConversionOutcome {
    ConversionResult result = ConversionResult::Failed;
    std::string path;  // the file written
};

// The conversion command: messages, directories (FNS3 or CR_Erreurs under
// baseDirectory, the program's directory when empty) and the file written.
// reportDocument is the plain text of the report document.
ConversionOutcome RunConversionCommand(std::string_view reportDocument,
                                       const std::string& baseDirectory = {});

// Writes the CR file (appended, as two conversions in the same second share
// its name) in directory; returns its path, "" on failure.
std::string WriteCRFile(std::string_view reportDocument, const std::string& directory);

}  // namespace trelvane
