#!/usr/bin/env bash
# Prints the folder that holds the tests' npm packages (install-deps.sh installs them there);
# CONF_NODE_DIR overrides it.
echo "${CONF_NODE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/configurator-node}"
