#include "AAX_VCollection.h"
#include "AAX_VController.h"
#include "HostFixture.h"

#include <memory>

using HostReferences = HostFixture;

TEST_F (HostReferences, ACollectionGivesBackWhatItMadeThenTheHostInterfacesInTheReverseOrderOfItsFields)
{
    auto collection = std::make_unique<AAX_VCollection> (host.unknown());
    collection->NewDescriptor();
    collection->NewPropertyMap();
    host.releases.clear();

    collection.reset();

    // Each proxy gives back its own references latest field first.
    const std::vector<std::string> expected {
        "descriptionHost",
        "propertyMap",
        "propertyMap",
        "propertyMap", // the property map
        "effect",
        "effect",
        "host", // the effect descriptor
        "definition",
        "descriptionHost", // the description host
        "collection",
        "host", // the collection's own
    };
    EXPECT_EQ (host.releases.all(), expected);
}

TEST_F (HostReferences, ATableCopyAsksTheHostEvenWhenNoTableCouldBeMadeAndGivesNull)
{
    const std::vector<aax_host::HostSettings> noTable {
        { { "IACFComponentFactory" }, {}, false },
        { {}, { { "factory.CreateComponent", AAX_ERROR_NULL_OBJECT } }, false },
    };

    for (const auto& settings : noTable)
    {
        host.settings = settings;
        AAX_VController controller (host.instanceUnknown());
        host.log.clear();

        EXPECT_EQ (controller.CreateTableCopyForLayout ("effect", "layout", 1, 8), nullptr);
        EXPECT_EQ (callsTo ("controller.CreateTableCopyForLayout"), 1);
    }
}
