#pragma once
// Compares two documents by what they mean, not by how they are stored: character formats by
// value rather than by index, tables in order of appearance rather than by id, fields and objects
// without their ids. Round-trip tests use it.

#include <gtest/gtest.h>

#include "components/textcontrol/model/Document.h"

namespace tx::testing {

::testing::AssertionResult SameModel(const Document& expected, const Document& actual);

}  // namespace tx::testing
