#pragma once

#include "AAX_ICollection.h"
#include "AAX_IComponentDescriptor.h"
#include "AAX_IDescriptionHost.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_IFeatureInfo.h"
#include "AAX_IPropertyMap.h"
#include "AAX_UIDs.h"
#include "PluginInstance.h"

#include <memory>

/** The description JUCE 7.0.5's AAX wrapper gives of the plug-in instance, in its order: its 18 stem
    formats, the host's support of each, the instance's layouts and type codes, the fields and properties. */
inline AAX_Result describeLikeJuceWrapper (AAX_ICollection* collection)
{
    using juce::AudioChannelSet;
    const std::pair<AAX_EStemFormat, AudioChannelSet> formats[] = {
        { AAX_eStemFormat_Mono, AudioChannelSet::mono() },
        { AAX_eStemFormat_Stereo, AudioChannelSet::stereo() },
        { AAX_eStemFormat_LCR, AudioChannelSet::createLCR() },
        { AAX_eStemFormat_LCRS, AudioChannelSet::createLCRS() },
        { AAX_eStemFormat_Quad, AudioChannelSet::quadraphonic() },
        { AAX_eStemFormat_5_0, AudioChannelSet::create5point0() },
        { AAX_eStemFormat_5_1, AudioChannelSet::create5point1() },
        { AAX_eStemFormat_6_0, AudioChannelSet::create6point0() },
        { AAX_eStemFormat_6_1, AudioChannelSet::create6point1() },
        { AAX_eStemFormat_7_0_SDDS, AudioChannelSet::create7point0SDDS() },
        { AAX_eStemFormat_7_1_SDDS, AudioChannelSet::create7point1SDDS() },
        { AAX_eStemFormat_7_0_DTS, AudioChannelSet::create7point0() },
        { AAX_eStemFormat_7_1_DTS, AudioChannelSet::create7point1() },
        { AAX_eStemFormat_7_0_2, AudioChannelSet::create7point0point2() },
        { AAX_eStemFormat_7_1_2, AudioChannelSet::create7point1point2() },
        { AAX_eStemFormat_Ambi_1_ACN, AudioChannelSet::ambisonic (1) },
        { AAX_eStemFormat_Ambi_2_ACN, AudioChannelSet::ambisonic (2) },
        { AAX_eStemFormat_Ambi_3_ACN, AudioChannelSet::ambisonic (3) },
    };

    std::unique_ptr<const AAX_IFeatureInfo> feature;

    if (const auto* descriptionHost = collection->DescriptionHost())
        feature.reset (descriptionHost->AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat));

    const auto supported = [&feature] (AAX_EStemFormat format)
    {
        auto level = AAX_eSupportLevel_Uninitialized;

        if (feature != nullptr && feature->SupportLevel (level) == AAX_SUCCESS && level == AAX_eSupportLevel_ByProperty)
        {
            std::unique_ptr<const AAX_IPropertyMap> map (feature->AcquireProperties());
            const auto asked = format == AAX_eStemFormat_Ambi_1_ACN ? AAX_eStemFormat_Ambi_2_ACN : format;
            AAX_CPropertyValue value = 0;

            if (map != nullptr && map->GetProperty ((AAX_EProperty) asked, &value))
                return value == AAX_eSupportLevel_Supported;
        }

        return AAX_STEM_FORMAT_INDEX (format) <= 12;
    };

    auto* effect = collection->NewDescriptor();

    if (effect == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    std::unique_ptr<juce::AudioProcessor> instance (createPluginFilter());
    effect->AddName ("Kestova PLEMVO");
    effect->AddCategory (1);
    effect->AddProcPtr (nullptr, kAAX_ProcPtrID_Create_EffectGUI);
    effect->AddProcPtr (nullptr, kAAX_ProcPtrID_Create_EffectParameters);

    for (const auto& [inFormat, inSet] : formats)
    {
        for (const auto& [outFormat, outSet] : formats)
        {
            auto layout = instance->getBusesLayout();
            layout.inputBuses.getReference (0) = inSet;
            layout.outputBuses.getReference (0) = outSet;

            if (! supported (inFormat) || ! supported (outFormat) || ! instance->checkBusesLayoutSupported (layout))
                continue;

            auto* component = effect->NewComponentDescriptor();
            component->AddAudioIn (0);
            component->AddAudioOut (1);
            component->AddAudioBufferLength (2);
            component->AddDataInPort (3, 4, AAX_eDataInPortType_Buffered);
            component->AddPrivateData (4, 8, 0);
            component->AddPrivateData (5, 4, 0);
            component->AddPrivateData (6, 8, 0);
            auto* properties = component->NewPropertyMap();
            properties->AddProperty (AAX_eProperty_ManufacturerID, 'KSTV');
            properties->AddProperty (AAX_eProperty_ProductID, 'PLMV');
            properties->AddProperty (AAX_eProperty_CanBypass, 1);
            properties->AddProperty (AAX_eProperty_InputStemFormat, inFormat);
            properties->AddProperty (AAX_eProperty_OutputStemFormat, outFormat);
            properties->AddProperty (AAX_eProperty_PlugInID_Native,
                                     instance->getAAXPluginIDForMainBusConfig (inSet, outSet, false));
            properties->AddProperty (AAX_eProperty_PlugInID_AudioSuite,
                                     instance->getAAXPluginIDForMainBusConfig (inSet, outSet, true));
            properties->AddProperty (AAX_eProperty_Constraint_MultiMonoSupport, 1);
            properties->AddProperty (AAX_eProperty_ObservesTransportState, 1);
            component->AddPrivateData (7, 8, 0);
            component->AddProcessProc_Native (nullptr, properties, nullptr, nullptr, nullptr);
            effect->AddComponent (component);
        }
    }

    collection->AddEffect ("com.kestova.plemvo", effect);
    collection->SetManufacturerName ("Kestova");
    collection->AddPackageName ("Kestova PLEMVO Remote Control");
    collection->AddPackageName ("Kestova PLEMVO");
    collection->SetPackageVersion (0x30000);
    return AAX_SUCCESS;
}
