// The resource-class registry of limn's tests, initialised once before any test runs,
// after the command labels that the tests expect have been mapped: every resource type
// of the program (limn's and the tests' own) has registered itself by then.
#include "hoard/resources/ResourceClass.h"
#include "hoard/runtime/MappedString.h"

#include <gtest/gtest.h>

namespace {

class CRegistryEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static const char szLabels[] = "ID_IMPORT=Import a Picture\r\n";
        CMemFile file((BYTE*)szLabels, sizeof szLabels - 1);
        CMappedString::Load(file);
        CResourceClass::InitResourceClasses();
    }
};

const auto* g_pRegistryEnvironment = ::testing::AddGlobalTestEnvironment(new CRegistryEnvironment);

} // namespace
