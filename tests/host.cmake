# Host-only checks.
