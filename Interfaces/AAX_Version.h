#pragma once

/** The interface version the library implements: 2.6, revision 20206010.
    Revisions read as 2, two digits of major, two of minor, three of build. */
#define AAX_SDK_VERSION (0x0206)
#define AAX_SDK_CURRENT_REVISION (20206010)

#define AAX_SDK_2p3p0_REVISION (20203000)
#define AAX_SDK_2p3p1_REVISION (20203100)
#define AAX_SDK_2p4p0_REVISION (20204000)
