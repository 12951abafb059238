#pragma once
// "Plik / Importuj" and "Importuj dane uczniów z SP 4-6": an older export replaces the
// students of the working copy. The export is read into a file of its own beside the
// working copy, which it replaces only when the whole import succeeded; a failed import
// shows its reason and leaves the working copy, the tree and Modified as they were.
// While the import runs the import window FSQLImport (when created) shows its progress.
class ImportHost;

// The music-school export (".snv"): personal data and every document block.
void Importuj1Click(ImportHost& host);
// The primary-school export (".m46"): personal data only.
void ImportButtonClick(ImportHost& host);
