#pragma once
// Deterministic damage to a valid file: byte-level mutations of any file, and table-level
// mutations of an SQLite file. Every case is fully decided by the seed it is given.
#include <cstdint>
#include <random>
#include <string>

using FuzzRng = std::mt19937;

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// Bit flips, truncation, NUL bytes, 0xFF runs (huge numbers) or bytes that are neither
// Windows-1250 nor UTF-8; `what` names the mutation for the failure message.
std::string MutateBytes(const std::string& bytes, FuzzRng& rng, std::string& what);

// Rewrites a copy of a valid SQLite file at `path`: wrong tables and columns, huge
// numbers, NUL bytes, invalid text bytes or a 10 MB value in a random row of a random table.
void MutateTables(const std::string& path, FuzzRng& rng, std::string& what);

// Writes case `index` of a run to `path`: a damaged copy of `valid`, damaged table by table
// in every second case of an SQLite file and byte by byte otherwise. Returns what was done.
std::string WriteMutatedCopy(const std::string& path, const std::string& valid, bool sqlite,
                             int index, FuzzRng& rng);
