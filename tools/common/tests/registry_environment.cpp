// The resource-class registry of the board import's tests, initialised once before any
// test runs, when every resource type (pictures, sounds, choice links) has registered
// itself.
#include "hoard/resources/ResourceClass.h"

#include <gtest/gtest.h>

namespace {

class CRegistryEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { CResourceClass::InitResourceClasses(); }
};

const auto* g_pRegistryEnvironment = ::testing::AddGlobalTestEnvironment(new CRegistryEnvironment);

} // namespace
