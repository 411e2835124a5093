// Replaced by the generation run.
