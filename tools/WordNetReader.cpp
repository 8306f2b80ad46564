// Reads the WordNet 3.0 database files.
