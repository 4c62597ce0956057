// Placeholder until the report document lands.
