#pragma once
// The data file Orvan.Dat: one plan record of 4824 bytes beside the program.
// Failures throw EInOutError with the runtime's German text.

#include "core/inouterror.h"
#include "core/planrecord.h"

#include <chrono>
#include <string>

namespace orvanta {

// programDir + "Orvan.Dat"; a separator is added when programDir lacks one.
std::string DataFilePath(const std::string& programDir);

// Reads the first record of the file into rec and then sets Version to the
// program's version text. The file is opened for reading and writing, as the
// program keeps it up to date: a read-only file is refused. rec is changed
// only when a whole record was read.
void LoadPlanRecord(TPlanRecord& rec, const std::string& path);

// Replaces the file with rec. The new content is written to a temporary file
// in the same directory (the file's name plus ".XXXXXX.tmp", X being random
// letters and digits) and renamed over the old one, so a failing save
// leaves the previous file as it was. A write-protected data file, or one
// that is no regular file, is refused. Only where the directory allows no new
// file but the data file is writable is the file rewritten in place (record
// first, then cut to length). A new file is readable by its owner only; an
// existing one keeps its permissions. The bytes behind each text's length are
// written as zeros, so no earlier, longer text travels on in the file.
// Reading never blocks: a FIFO or device in place of the file is refused
// ("Dateizugriff verweigert").
void SavePlanRecord(const TPlanRecord& rec, const std::string& path);

// Removes what saves of the data file at path left behind when they were
// ended between creating their temporary file and renaming it: regular
// files of this user named as above, older than minAge (a running save takes
// moments, so younger ones may still be in use). Failures to remove are
// ignored; the number of files removed is returned. A user's own copies
// ("Orvan.Dat.backup") never match the name.
int RemoveStaleTempFiles(const std::string& path,
                         std::chrono::seconds minAge = std::chrono::seconds(60));

enum class OpenFor { Reading, ReadingAndWriting };

// The raw read behind LoadPlanRecord, for tools that show or edit a file as it
// is: no Version replacement. Same errors as LoadPlanRecord.
void ReadPlanRecordFile(TPlanRecord& rec, const std::string& path, OpenFor mode);

} // namespace orvanta
