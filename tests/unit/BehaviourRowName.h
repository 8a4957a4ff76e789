#pragma once

#include <cctype>
#include <gtest/gtest.h>
#include <string>
#include <type_traits>

namespace wigglet::test {

// Names a parameterised test's row after its behaviour sentence (the row's `behaviour`, or the
// row itself when it is text), in the characters that GoogleTest allows in a name.
struct BehaviourRowName {
    template <class Row> std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
        std::string name;
        if constexpr (std::is_convertible_v<Row, std::string>)
            name = info.param;
        else
            name = info.param.behaviour;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    }
};

} // namespace wigglet::test
