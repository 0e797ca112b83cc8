// The JUCE library's module sources are added by its module targets; this file only gives
// the static library a source of its own.
