#pragma once
// Where the update server is and what is asked of it. The server's address is
// configuration: VLM_UPDATE_URL (scheme, host and optional port) when set, else a
// placeholder on a reserved domain; the paths on the server are fixed.
#include <QByteArray>
#include <QUrl>

inline constexpr const char* kUpdateServerVariable = "VLM_UPDATE_URL";
inline constexpr const char* kDefaultUpdateServer = "http://update.example.invalid";
inline constexpr const char* kVersionRecordPath = "/tovrix/velmorandia/program/2015/vlm_wersja.bin";
inline constexpr const char* kInstallerPath = "/tovrix/velmorandia/program/2015/vlmsetup.exe";
inline constexpr const char* kUpdateUserAgent = "UPDATE CHECK";

QUrl VersionRecordUrl();
QUrl InstallerUrl();
