# The export has no sources of its own yet.
