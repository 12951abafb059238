#include "platform/FontConfigurationReader.h"

#include <QFontDatabase>
#include <QStringList>

#include <fontconfig/fontconfig.h>

// fontconfig initialises once per process under an atomic swap, so Qt's own call on the
// main thread is safe while this one runs: whichever comes second finds it done, or at
// worst reads the files again.
FontConfigurationReader::FontConfigurationReader()
    : read_(readPromise_.get_future())
    , thread_([this, fill = fill_.get_future()]() mutable {
        FcInit();
        readPromise_.set_value();
        if (fill.get())
            QFontDatabase::families();
    })
{
}

FontConfigurationReader::~FontConfigurationReader()
{
    finish();
}

void FontConfigurationReader::finish()
{
    if (!fillAnswered_) {
        fillAnswered_ = true;
        fill_.set_value(false);
    }
    if (thread_.joinable())
        thread_.join();
}

void FontConfigurationReader::fillFontDatabase()
{
    if (fillAnswered_)
        return;
    fillAnswered_ = true;
    fill_.set_value(true);
}

void FontConfigurationReader::wait()
{
    read_.wait();
}
