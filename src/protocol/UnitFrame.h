#pragma once

#include "IgnitionParameters.h"

#include <array>

// Every exchange with the unit is one 52-byte frame: a command or answer code, 50 data
// bytes, and a checksum that makes the XOR of all 52 bytes equal 0xFF.
inline constexpr int FrameSize = 52;
inline constexpr int FrameDataSize = 50;
using UnitFrame = std::array<quint8, FrameSize>;

// BackupRead reads the unit's blocks 0 and 1 with the frames of a Read before every
// program run; Compare does the same for the difference table. Neither touches the set.
enum class LinkMode : quint8 { Idle = 0, Program = 1, Verify = 2, Read = 3, BackupRead = 4, Compare = 5 };

// The transfers whose frames carry zeros: the PC asks, the unit's blocks come back.
inline bool ReadsFromUnit(LinkMode mode)
{
    return mode == LinkMode::Read || mode == LinkMode::BackupRead || mode == LinkMode::Compare;
}

inline constexpr quint8 CommandProgramBlock0 = 0x00;
inline constexpr quint8 CommandProgramBlock1 = 0x01;
inline constexpr quint8 CommandReadBlock0 = 0x40;
inline constexpr quint8 CommandReadBlock1 = 0x41;
inline constexpr quint8 CommandMonitor = 0x30;
inline constexpr quint8 AnswerLiveData = 0xB0;
inline constexpr quint8 AnswerBit = 0x80;

inline quint8 BlockNumberOf(quint8 commandByte) { return quint8(commandByte & 0x3F); }

// 0xFF XOR bytes 0..50.
quint8 FrameChecksum(const UnitFrame &frame);
// Writes the checksum into byte 51.
void SealFrame(UnitFrame &frame);
// True when the XOR of all 52 bytes, started from 0xFF, is 0.
bool FrameChecksumValid(const UnitFrame &frame);

// The command frame for a transfer step: block 1 carries the parameter block unless
// the transfer is a read; block 0 and every read frame carry zeros.
UnitFrame BuildCommandFrame(quint8 commandByte, LinkMode mode, const IgnitionParameters &set);
// 0x30, fifty zeros, 0xCF.
UnitFrame BuildMonitorRequest();

// Acceptance rules for what arrives.
bool AcceptLiveFrame(const UnitFrame &frame);
bool AcceptAnswerFrame(const UnitFrame &frame, quint8 commandByte, LinkMode mode);
