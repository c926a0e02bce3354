// Keeps the resource library non-empty while no artwork exists.
