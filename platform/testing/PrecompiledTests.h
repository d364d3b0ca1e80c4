// Precompiled for the test executables: GoogleTest, gmock and the test support they include most.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/PrecompiledApi.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/RecordingCanvas.h"
#include "platform/testing/ScratchFolder.h"
