OPENQASM 2.0;
qreg q[3];
creg c[3];
u1(-pi/4) q[2];
p(2*(pi-1)/3) q[0];
s q[1]; tdg q[0];
