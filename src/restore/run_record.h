// The main window's record: every field that lives longer than one handler.
//
// One record serves both operations, split and restore; CleanUp resets it
// when either starts.  Byte counts are 64-bit.  Flags are bools.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/file.h"

namespace tavrix {

// Tables have entries 0..1000; entry 0 is never used, so a set has at most
// 1000 pieces and a restore handles at most 1000 floppies.
inline constexpr int kMaxPieces = 1000;

struct RunRecord {
  // Shared by split and restore.
  std::string SourceFile;      // split: the source path; restore: piece file on the floppy
  int64_t SourceSize = 0;      // length of SourceFile
  int PieceCount = 0;          // split: floppy being written; restore: floppies handled
  std::string SerialNumber;    // split: the bare serial; restore: the marker's listed name
  int DialogMode = 0;          // 1 split, 2 restore, 3 restore cancelled at the floppy picker
  std::string FloppyDrive;     // answer of the floppy picker ("a:"), "" for none
  std::vector<char> CopyBuffer;  // the bounded copy buffer, allocated once

  // Restore.
  File AssemblyFileNo;         // the assembly file while held pieces are appended
  int64_t AppendPos = 0;       // 1-based position of the next in-order piece; 0 = none yet
  bool RestoreActive = false;
  std::string OriginalName;    // TargetDrive + file name from the control record, "" until loaded
  std::string OriginalDate;
  int RecordPieces = 0;
  int64_t OriginalSize = 0;
  std::string RecordSerial;
  std::string SetDescription;
  std::vector<char> HoldBuffer;  // kept for symmetry with CopyBuffer; held pieces share the copy path
  int LastPiece = 0;
  std::array<int, kMaxPieces + 1> PieceDone{};
  std::array<int, kMaxPieces + 1> PieceHeld{};
  std::array<std::string, kMaxPieces + 1> ProcessedFiles{};
  int HighestNext = 0;
  bool Holding = false;
  int PrevPiece = 0;
  std::string TargetDrive;     // "c:" from the picker, "c:\" between assembly steps
  bool StartFileUsed = false;
  bool NameFileUsed = false;
  // A target was chosen in this restore (the first accepted floppy asks).
  bool TargetChosen = false;
  // The first floppy of this restore held files of two sets, so it named no
  // serial: the next floppy scanned names it, as a first floppy would.
  bool SerialUnsettled = false;

  // Split and drive display.
  std::string CommandLine;
  int64_t DriveClusterBytes = 0;
  int64_t DriveFreeBytes = 0;
  int64_t DriveFreeClusters = 0;
  int64_t BytesWritten = 0;
  int64_t BytesLeft = 0;
  bool DriveInfoFresh = false;
  File SourceFileNo;
  File PieceFileNo;
  // Name of a piece left partly written when its floppy was pulled; the
  // writer deletes it from the floppy it finds it on before writing again.
  std::string PartialPiece;

  // Not reset by CleanUp.
  std::string WritePath;
};

}  // namespace tavrix
