#pragma once
#include <gtest/gtest.h>

#include <string>

// Names a parameterised case by its table entry's `name`, so a failure says which.
struct CaseName {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& entry) const {
        return entry.param.name;
    }
};
