// Placeholder until the HTML sink lands.
