#pragma once

/** A size or position in the host's view coordinates, vertical first. */
struct AAX_Point
{
    float vert;
    float horz;
};

/** A rectangle in the host's view coordinates. */
struct AAX_Rect
{
    float top;
    float left;
    float width;
    float height;
};
