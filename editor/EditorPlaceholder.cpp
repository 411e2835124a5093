// Replaced by the editor operations.
