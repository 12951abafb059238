#pragma once
// The valid files the fuzz runs damage: a certificates file and the two older exports.
// The calibration runs damage the factory calibration file itself.
#include <string>

#include "store/ErrorStream.h"

// A certificates file of two students, one with Polish letters in his surname and a
// 3000-character memo, written to `path`; false with the reason in `es`.
bool WriteCertificatesCorpus(ErrorStream& es, const std::string& path);

// The bytes of a music-school export (".snv") of one student with a document block.
std::string MusicSchoolExportCorpus();
// The bytes of a primary-school export (".m46") of one student.
std::string PrimarySchoolExportCorpus();
