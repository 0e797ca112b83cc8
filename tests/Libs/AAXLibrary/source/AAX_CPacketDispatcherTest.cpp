#include "AAX_CPacketDispatcher.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CPacketHandler.h"
#include "AAX_CParameter.h"
#include "AAX_CParameterManager.h"
#include "AAX_Errors.h"
#include "PacketTestDoubles.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{
constexpr AAX_CFieldIndex bypassPort = 3;

struct DispatcherRig
{
    DispatcherRig()
    {
        effect.parameters.AddParameter (new AAX_CParameter<float> ("MasterBypassID", AAX_CString ("Master Bypass"),
                                                                   0.0f, AAX_CLinearTaperDelegate<float, 0>(),
                                                                   AAX_CNumberDisplayDelegate<float, 3>(), true));
        dispatcher.Initialize (&controller, &effect);
    }

    void setBypass (float value) { effect.parameters.GetParameterByID ("MasterBypassID")->SetValueWithFloat (value); }

    PostingController controller;
    ParameterLookupEffect effect;
    AAX_CPacketDispatcher dispatcher;
};

/** A handler worker that writes a fixed byte and can fail; it counts its calls. */
struct ByteWriter
{
    AAX_Result write (AAX_CPacket& packet)
    {
        ++calls;
        *packet.GetPtr<uint8_t>() = 0x5a;
        return result;
    }

    AAX_Result result = AAX_SUCCESS;
    int calls = 0;
};
} // namespace

TEST (AAX_CPacketDispatcher, TheFirstDispatchPostsTheBypassPacketOnceAndThenOnlyAfterAChange)
{
    DispatcherRig rig;
    ASSERT_EQ (rig.dispatcher.RegisterPacket ("MasterBypassID", bypassPort), AAX_SUCCESS);

    EXPECT_EQ (rig.dispatcher.Dispatch(), AAX_SUCCESS);
    EXPECT_EQ (rig.dispatcher.Dispatch(), AAX_SUCCESS);
    ASSERT_EQ (rig.controller.posts.size(), 1u);
    EXPECT_EQ (rig.controller.posts[0], (PostingController::Post { bypassPort, { 0, 0, 0, 0 } }));

    rig.setBypass (1.0f);
    rig.dispatcher.SetDirty ("MasterBypassID");
    rig.dispatcher.Dispatch();

    ASSERT_EQ (rig.controller.posts.size(), 2u);
    EXPECT_EQ (rig.controller.posts[1], (PostingController::Post { bypassPort, { 0, 0, 0x80, 0x3f } }));
}

TEST (AAX_CPacketDispatcher, TwoIdentifiersShareThePortsPacketWhichIsGeneratedOncePerDispatch)
{
    DispatcherRig rig;
    ByteWriter writer;
    const AAX_CPacketHandler<ByteWriter> handler (&writer, &ByteWriter::write);

    rig.dispatcher.RegisterPacket ("b", bypassPort, &handler);
    rig.dispatcher.RegisterPacket ("a", bypassPort, &handler);
    rig.dispatcher.Dispatch();

    EXPECT_EQ (writer.calls, 1);

    for (const auto* id : { "a", "b", "unknown" })
    {
        rig.dispatcher.SetDirty (id);
        rig.dispatcher.Dispatch();
    }

    EXPECT_EQ (writer.calls, 3);
    EXPECT_EQ (rig.controller.posts.size(), 3u);
    EXPECT_EQ (rig.controller.posts[0], (PostingController::Post { bypassPort, { 0x5a } }));
}

TEST (AAX_CPacketDispatcher, AFailingHandlerPostsNothingAndItsPacketIsNoLongerDirty)
{
    DispatcherRig rig;
    ByteWriter writer;
    writer.result = AAX_ERROR_NULL_OBJECT;
    const AAX_CPacketHandler<ByteWriter> handler (&writer, &ByteWriter::write);

    rig.dispatcher.RegisterPacket ("a", bypassPort, &handler);
    rig.dispatcher.RegisterPacket ("missing", 4);

    EXPECT_EQ (rig.dispatcher.Dispatch(), AAX_SUCCESS);
    EXPECT_EQ (rig.dispatcher.Dispatch(), AAX_SUCCESS);
    EXPECT_EQ (writer.calls, 1);
    EXPECT_TRUE (rig.controller.posts.empty());
}

TEST (AAX_CPacketDispatcher, AHandlerWithoutAFunctionAndAPacketBufferOfNoSizeFailAsTheyShould)
{
    ByteWriter writer;
    AAX_CPacket packet (1);
    const AAX_CPacketHandler<ByteWriter> empty (&writer, AAX_CPacketHandler<ByteWriter>::PacketOnlyHandler (nullptr));

    EXPECT_EQ (empty.Call ("a", packet), AAX_ERROR_NULL_OBJECT);
    EXPECT_THROW (AAX_CPacket::SPacketData().Get (0), std::out_of_range);
}

TEST (AAX_CPacketDispatcher, MarkingAndDispatchingFromTwoThreadsStaySerialised)
{
    DispatcherRig rig;
    rig.dispatcher.RegisterPacket ("MasterBypassID", bypassPort);

    std::thread marker (
        [&]
        {
            for (int i = 0; i < 2000; ++i)
                rig.dispatcher.SetDirty ("MasterBypassID");
        });

    for (int i = 0; i < 2000; ++i)
        rig.dispatcher.Dispatch();

    marker.join();
    rig.dispatcher.SetDirty ("MasterBypassID");
    rig.dispatcher.Dispatch();

    EXPECT_GE (rig.controller.posts.size(), 2u);
    EXPECT_LE (rig.controller.posts.size(), 2001u);
}
