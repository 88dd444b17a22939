// The source that the tests' precompiled headers are made with.
