# Tests of this area (tervo_add_test lines).
