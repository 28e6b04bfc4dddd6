// Corvane.dll loaded for the tests of one suite, as the workbench loads it,
// and a fresh form to design.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "model/design_document.h"

class CorvaneForm : public testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void TearDown() override { Document.reset(); }

    // A class of the package by name.
    static const TClassInfo& Class(const char* name);

    std::unique_ptr<TDesignDocument> Document = std::make_unique<TDesignDocument>();
    static inline HMODULE Package = nullptr;
};
