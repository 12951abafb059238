#pragma once
// Downloads the installer from the update server into `installerPath` (run on a worker
// thread). Progress and status reach `window` as queued calls; the download ends with
// window.DownloadEnded(). It is complete only when the transfer ended without error with
// exactly the announced number of bytes; otherwise the partial file is deleted.
class QString;
class TFAktualizacja;

inline constexpr const char* kInstallerFolder = "aktualizacja";
inline constexpr const char* kInstallerFileName = "nowy.exe";

void DownloadInstallerThread(TFAktualizacja& window, const QString& installerPath);
