// The translation unit that owns the precompiled headers the other targets reuse.
