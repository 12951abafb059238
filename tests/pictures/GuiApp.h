#pragma once
// Pictures draw text and read fonts, which needs a QGuiApplication for the whole run.
#include <QGuiApplication>

#include <gtest/gtest.h>

class GuiAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override { app_ = new QGuiApplication(argc_, argv_); }
    void TearDown() override { delete app_; }

private:
    int argc_ = 1;
    char name_[16] = "test_pictures";
    char* argv_[2] = {name_, nullptr};
    QGuiApplication* app_ = nullptr;
};
