OPENQASM 2.0;
qreg q[2];
rx(0.5) q[0];
