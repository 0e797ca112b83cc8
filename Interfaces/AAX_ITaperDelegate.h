#pragma once

/** The untyped base of every taper delegate. */
class AAX_ITaperDelegateBase
{
public:
    virtual ~AAX_ITaperDelegateBase() = default;
};

/** Maps a parameter's real values to the host's normalised 0..1 and back. */
template <typename T> class AAX_ITaperDelegate : public AAX_ITaperDelegateBase
{
public:
    /** A copy owned by the caller. */
    virtual AAX_ITaperDelegate* Clone() const = 0;
    virtual T GetMaximumValue() const = 0;
    virtual T GetMinimumValue() const = 0;
    virtual T ConstrainRealValue (T value) const = 0;
    virtual T NormalizedToReal (double normalizedValue) const = 0;
    virtual double RealToNormalized (T realValue) const = 0;
};
